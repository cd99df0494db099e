// The start of a run: files, catalogue, banner, and the questions that choose a generator.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

namespace zemka {

// Runs one whole dialog in dir. Throws FatalError (or CatalogueError) when the run cannot go
// on; returns normally when main.f is complete.
void runSession(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir);

}  // namespace zemka

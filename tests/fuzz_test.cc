// Seeded random answers for every reader and random message files: nothing may crash, the
// only way out of a dialog is the end of keyboard input, and every answer a reader returns
// is a valid one.
#include <gtest/gtest.h>

#include <iostream>

#include "dialog_fuzzing.h"

namespace zemka::test {
namespace {

TEST(Fuzz, ReadersOnRandomAnswers) {
    Random r(20240611);
    int tried = 0;
    for (int session = 0; session < 100; ++session) {
        Lines keys = r.lines(r.between(0, 400));
        std::optional<std::string> answerFile;
        if (r.below(3)) {
            Lines answers = r.lines(r.between(0, 40));
            answerFile.emplace();
            for (const std::string& a : answers) *answerFile += a + '\n';
            tried += static_cast<int>(answers.size());
        }
        tried += static_cast<int>(keys.size());
        fuzzSession(keys, answerFile, r);
    }
    std::cout << "[ fuzz ] " << tried << " random answer lines\n";
    RecordProperty("answer_lines", tried);
}

// Whole dialogs through the driver and every generator, from the example answer files with a
// few random edits each; some are typed, some come from zemka.in after a "#".
TEST(Fuzz, WholeDialogsThroughEveryGenerator) {
    Random r(1913);
    DialogCounts counts;
    for (int k = 0; k < 400; ++k) {
        Lines dialog = mutated(r.pick(dialogSeeds()), r);
        if (r.below(4) == 0) {
            Lines keys = mutated({"#"}, r);
            fuzzDialog(keys, joinedLines(dialog), counts);
        } else {
            fuzzDialog(dialog, std::nullopt, counts);
        }
    }
    std::cout << "[ fuzz ] " << counts.dialogs << " whole dialogs, " << counts.answers << " answer lines, "
              << counts.finished << " finished and replayed from echo.out\n";
    RecordProperty("dialogs", counts.dialogs);
    EXPECT_GT(counts.finished, counts.dialogs / 10);
}

TEST(Fuzz, CatalogueOnRandomFiles) {
    Random r(77);
    const int files = 3000;
    for (int k = 0; k < files; ++k) fuzzCatalogue(r.catalogue(r.below(2)), r);
    std::cout << "[ fuzz ] " << files << " random message files\n";
    RecordProperty("message_files", files);
}

}  // namespace
}  // namespace zemka::test

// The GKS state: operating state, workstations, normalization transformations and the current
// attributes, and the dispatch of output primitives to the active workstations.
#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geometry.h"
#include "postscript.h"

namespace zemka::gks {

// GKCL, GKOP, WSOP, WSAC (no segments, so never SGOP).
enum class State { Closed, Open, WorkstationOpen, WorkstationActive };

inline constexpr int kPostScriptType = 62;
inline constexpr int kMaxTransformation = 20;
inline constexpr int kColourTableSize = 256;

// The individual attributes. Default values double as the predefined bundle 1, which is what
// an attribute whose aspect source flag says "bundled" draws with.
struct Attributes {
    int linetype = 1;
    double linewidth = 1;
    int lineColour = 1;
    int markerType = 3;
    double markerSize = 1;
    int markerColour = 1;
    int font = 1;
    int precision = 0;
    double expansion = 1;
    double spacing = 0;
    int textColour = 1;
    int interior = 0;
    int styleIndex = 1;
    int fillColour = 1;
    double charHeight = 0.01;
    Point charUp{0, 1};
    int path = 0;
    int alignH = 0;
    int alignV = 0;
};

struct Transformation {
    Rect window;
    Rect viewport;
};

struct Workstation {
    std::unique_ptr<PostScriptWriter> out;
    std::array<std::optional<Rgb>, kColourTableSize> colours;
    bool active = false;
    // Indices never defined draw in colour 1, as GKS prescribes.
    Rgb colour(int index) const;
};

class Kernel {
public:
    // Error reports go to errors, one line each.
    explicit Kernel(std::FILE* errors = stderr);
    ~Kernel();
    Kernel(const Kernel&) = delete;
    Kernel& operator=(const Kernel&) = delete;

    // Makes conid a connection to a newly created (or emptied) file, for a later open of a
    // workstation on it. False, with errno set, if the file cannot be created.
    bool connectFile(int conid, const std::string& path);

    void report(std::string_view routine, std::string_view problem);
    State state() const;
    // True if GKS is at least in state least; otherwise reports the call as out of state.
    bool require(std::string_view routine, State least);

    void openGks();
    void closeGks();
    void openWorkstation(int wkid, int conid, int type);
    void closeWorkstation(int wkid);
    void activateWorkstation(int wkid);
    void deactivateWorkstation(int wkid);
    void clearWorkstation(int wkid);
    void updateWorkstation(int wkid);
    void setColour(int wkid, int index, const Rgb& colour);

    void setWindow(int tnr, const Rect& window);
    void setViewport(int tnr, const Rect& viewport);
    void selectTransformation(int tnr);
    void setAspectSourceFlags(std::span<const int, 13> flags);

    void polyline(std::span<const float> x, std::span<const float> y);
    void polymarker(std::span<const float> x, std::span<const float> y);
    void fillArea(std::span<const float> x, std::span<const float> y);
    void text(float x, float y, std::string_view chars);

    // Attribute setters validate in the binding and store here.
    Attributes& attributes() { return attributes_; }

    const Transformation& transformation(int tnr) const { return transformations_.at(tnr); }
    int selectedTransformation() const { return selected_; }
    const Workstation* workstation(int wkid) const;

private:
    Workstation* openWorkstationOrReport(std::string_view routine, int wkid);
    Point toNdc(float x, float y) const;
    Rect clipRect() const { return transformations_[selected_].viewport; }
    Attributes effective() const;
    template <class Draw>
    void forActive(Draw draw);

    std::FILE* errors_;
    bool open_ = false;
    struct Connection {
        std::FILE* file;
        std::string name;
    };
    std::map<int, Connection> connections_;
    std::map<int, Workstation> workstations_;
    std::array<Transformation, kMaxTransformation + 1> transformations_{};
    int selected_ = 0;
    Attributes attributes_;
    std::array<bool, 13> individual_{};
};

// The one kernel behind the Fortran binding.
Kernel& kernel();

}  // namespace zemka::gks

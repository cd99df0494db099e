// The vocabulary of output requests, shared by every class with a space variable: which
// variable is put out, at which saved solutions, over which values, seen from where, along
// which cross-sections; and the loops the library calls run in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "steps.h"

namespace zemka {

// A plot of one output variable over the output points, in a loop over the saved solutions.
struct SurfaceOrContour {
    std::string_view heading;  // "   *******SURFACE PLOT"
    int variableMessage;       // variant base
    std::string_view call;
};

// A plot of a vector field of two output variables, or of three: the third with a range
// of its own.
struct VectorPlot {
    std::string_view heading;
    int variablesMessage;  // variant base
    std::string_view first, second;  // "IVARX", "IVARY"
    bool splitAfterBoth;   // the split lines follow all answers, not each
    std::string_view call;
    std::string_view third = {};
    int thirdRangeMessage = 0;
};

// Curves of one output variable along an axis at given values of the other (or against t
// at given points).
struct CrossSectionCurves {
    int variableMessage;  // variant base
    bool split;           // whether the output variable's split lines are written
    int choiceMessage;    // asks what varies; the next messages explain each choice
    int timeIcs;          // ics8z when t varies
    std::string_view call;
};

// Where the output lives: the names of its axes ("X", "Y"; "P1", "P2", "P3"), the quantities
// saved per unknown in uout (the value and its derivatives or fluxes), and how many entries
// per unknown the smallest and largest values amin8z and amax8z keep.
struct OutputSpace {
    std::vector<std::string_view> axes;
    int quantities;
    int rangeStride;
};

class OutputSteps : protected virtual GeneratorBase {
protected:
    OutputSteps(Session& session, bool marksInput, OutputSpace space)
        : GeneratorBase(session, marksInput), space(std::move(space)) {}

    const OutputSpace space;

    // An output variable IVAR numbers the quantities of every unknown; the split lines give
    // its quantity (ivara8z) and its unknown (ivarb8z).
    void outputVariable(std::string_view name, bool split);
    void splitVariable(std::string_view name);
    // Which saved solutions are put out.
    void savedStepRange();
    // The value range of a plot of IVAR, with its smallest and largest values at hand.
    void valueRange(int message);
    // The index of an output variable's entry in amin8z and amax8z, with the line that
    // computes it where the quantities saved and the entries kept differ in number.
    std::string rangeIndex(std::string_view name);
    // The viewing angles of a surface plot.
    void viewAngles();
    // Output points spread evenly over the axes' ranges (XA..XB, ...), whose defaults the
    // given lines set, then the library call that spreads them.
    void evenOutputPoints(int message, const std::vector<std::string_view>& defaults, std::string_view pointsCall);
    // Points that a Fortran block of the user's sets, after npts8z = count+1.
    void userOutputPoints(int message, std::string_view count);

    // "   X IS VARIABLE", ics8z = 1: what runs along the curves of a plot.
    void curveVariable(std::string_view variable, int ics);
    // The count and the values of the cross-sections at axis a (0, 1, 2): NXVALS and XCROSS, ...
    void crossSections(int axis);
    // "do L ixv8z=1,nxvals" over the cross-sections at axis a, and the library call that
    // finds the output point of the current one.
    void openCrossSectionLoop(int axis, int label);
    void crossSectionPoint(int axis);
    // "do L is8z=iset1,iset2,isinc" over the chosen saved solutions, with its set-up call.
    void openSavedStepLoop(int label);
    // The loops around one library call, outermost first: over the chosen saved solutions
    // (or, without them, at is8z = 0), then over the cross-sections at each of the axes.
    // Their labels are taken from the innermost out.
    void loopsAround(std::string_view call, const std::vector<int>& axes, bool savedSteps = true);
    // The loop over the saved solutions around one library call.
    void savedStepLoop(std::string_view call) { loopsAround(call, {}); }
    // A request's heading, then its output variable.
    void requestVariable(std::string_view heading, int variableMessage);
    // A table of one output variable at each chosen saved solution.
    void table(int variableMessage, std::string_view call);
    void surfacePlot(const SurfaceOrContour& plot);
    // A contour plot, with or without the distortion of the region and filled or not.
    void contourPlot(const SurfaceOrContour& plot);
    void contourSettings();
    void vectorPlot(const VectorPlot& plot);
    // The vector's components, the saved solutions and the scales of a vector plot.
    void vectorSettings(const VectorPlot& plot);
    // Curves along one axis at values of the others, or against t at points given by values
    // of every axis.
    void crossSectionCurves(const CrossSectionCurves& curves);
    // Whether a plot keeps the region's proportions.
    void askNodist();

private:
    std::string lower(int axis) const { return lowerCase(space.axes[static_cast<std::size_t>(axis)]); }
};

}  // namespace zemka

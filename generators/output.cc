#include "output.h"

namespace zemka {
namespace {

// The loop variable and the point index of the cross-sections at each axis.
constexpr std::string_view crossLoop[] = {"ixv8z", "jyv8z", "kzv8z"};
constexpr std::string_view crossPoint[] = {"ix8z", "jy8z", "kz8z"};

}  // namespace

void OutputSteps::outputVariable(std::string_view name, bool split) {
    iread(name, 1, space.quantities * problem.neqn);
    if (split) splitVariable(name);
}

void OutputSteps::splitVariable(std::string_view name) {
    std::string v = lowerCase(name), q = std::to_string(space.quantities);
    texts({v + "a8z = mod(" + v + "-1," + q + ")+1", v + "b8z = (" + v + "-1)/" + q + "+1"});
}

void OutputSteps::savedStepRange() {
    if (problem.type == timeDependent) {
        mess(0, 123);
        texts({"ISET1 = 0", "ISET2 = NSAVE", "ISINC = 1"});
        invar("ISET1", 0);
        invar("ISET2", 0);
        invar("ISINC", 0);
    } else {
        texts({"ISET1 = 1", "ISET2 = NSAVE", "ISINC = 1"});
    }
}

std::string OutputSteps::rangeIndex(std::string_view name) {
    std::string v = lowerCase(name);
    if (space.quantities == space.rangeStride) return v;
    text(v + "8z = " + std::to_string(space.rangeStride) + "*(" + v + "b8z-1)+" + v + "a8z");
    return v + "8z";
}

void OutputSteps::valueRange(int message) {
    com(2, " ");
    std::string index = rangeIndex("IVAR");
    texts({"alow = amin8z(" + index + ")", "ahigh = amax8z(" + index + ")"});
    plotRange(message);
}

void OutputSteps::viewAngles() {
    mess(0, 127);
    texts({"VLON = 45.0", "VLAT = 45.0"});
    invar("VLAT", 0);
    invar("VLON", 0);
}

void OutputSteps::evenOutputPoints(int message, const std::vector<std::string_view>& defaults,
                                   std::string_view pointsCall) {
    std::vector<std::string> ends;
    std::string names;
    for (std::string_view axis : space.axes)
        for (char end : {'A', 'B'}) {
            ends.push_back(std::string(axis) + end);
            names += (names.empty() ? "" : ",") + ends.back();
        }
    mess(0, message);
    com(2, "   defaults for " + lowerCase(names));
    texts(defaults);
    com(2, "   DEFINE " + names + " IMMEDIATELY BELOW:");
    for (const std::string& end : ends) invar(end, 0);
    text(pointsCall);
}

void OutputSteps::userOutputPoints(int message, std::string_view count) {
    text("npts8z = " + std::string(count) + "+1");
    mess(0, message);
    iadd(0, " ");
}

void OutputSteps::curveVariable(std::string_view variable, int ics) {
    com(2, "   " + std::string(variable) + " IS VARIABLE");
    text("ics8z = " + std::to_string(ics));
}

void OutputSteps::crossSections(int axis) {
    std::string name(space.axes[static_cast<std::size_t>(axis)]);
    int n = iread("N" + name + "VALS", 1, 100);
    invec(name + "CROSS", 1, n, 1);
}

void OutputSteps::openCrossSectionLoop(int axis, int label) {
    write("(6X,'do ',I5,' " + std::string(crossLoop[axis]) + "=1,n" + lower(axis) + "vals')", label);
}

void OutputSteps::crossSectionPoint(int axis) {
    std::string a = lower(axis);
    text("call dkvrzx(" + a + "cross(" + std::string(crossLoop[axis]) + ")," + a + "a," + a + "b,n" + a + "," +
         std::string(crossPoint[axis]) + ")");
}

void OutputSteps::openSavedStepLoop(int label) {
    text("call dkvrrx(tout8z,nsave,iset1,iset2,isinc)");
    write("(6X,'do ',I5,' is8z=iset1,iset2,isinc')", label);
}

void OutputSteps::loopsAround(std::string_view call, const std::vector<int>& axes, bool savedSteps) {
    std::vector<int> labels(axes.size() + (savedSteps ? 1 : 0));
    for (int& label : labels) label = state();
    auto outer = labels.rbegin();
    if (savedSteps) openSavedStepLoop(*outer++);
    else text("is8z = 0");
    for (int axis : axes) openCrossSectionLoop(axis, *outer++);
    for (int axis : axes) crossSectionPoint(axis);
    text(call);
    for (int label : labels) closeLoop(label);
}

void OutputSteps::requestVariable(std::string_view heading, int variableMessage) {
    com(2, heading);
    mess(0, problem.variant(variableMessage));
    outputVariable("IVAR", true);
}

void OutputSteps::table(int variableMessage, std::string_view call) {
    requestVariable("   *******TABULAR OUTPUT", variableMessage);
    savedStepRange();
    askTitle();
    savedStepLoop(call);
}

void OutputSteps::surfacePlot(const SurfaceOrContour& plot) {
    requestVariable(plot.heading, plot.variableMessage);
    savedStepRange();
    viewAngles();
    valueRange(126);
    askTitle();
    savedStepLoop(plot.call);
}

void OutputSteps::contourPlot(const SurfaceOrContour& plot) {
    requestVariable(plot.heading, plot.variableMessage);
    savedStepRange();
    contourSettings();
    askTitle();
    savedStepLoop(plot.call);
}

void OutputSteps::contourSettings() {
    askNodist();
    valueRange(261);
    mess(0, 262);
    logicalAnswer("FILLIN");
}

void OutputSteps::vectorPlot(const VectorPlot& plot) {
    com(2, plot.heading);
    vectorSettings(plot);
    askTitle();
    savedStepLoop(plot.call);
}

void OutputSteps::vectorSettings(const VectorPlot& plot) {
    mess(0, problem.variant(plot.variablesMessage));
    std::vector<std::string_view> components{plot.first, plot.second};
    if (!plot.third.empty()) components.push_back(plot.third);
    for (std::string_view c : components) outputVariable(c, !plot.splitAfterBoth);
    if (plot.splitAfterBoth)
        for (std::string_view c : components) splitVariable(c);
    savedStepRange();
    askNodist();
    com(2, " ");
    std::string first = rangeIndex(plot.first), second = rangeIndex(plot.second);
    texts({"a1mag = max(abs(amin8z(" + first + ")),abs(amax8z(" + first + ")))",
           "a2mag = max(abs(amin8z(" + second + ")),abs(amax8z(" + second + ")))"});
    mess(0, 267);
    texts({"VR1MAG = 0.0", "VR2MAG = 0.0"});
    invar("VR1MAG", 0);
    invar("VR2MAG", 0);
    if (plot.third.empty()) return;
    com(2, " ");
    std::string third = rangeIndex(plot.third);
    texts({"a3low = amin8z(" + third + ")", "a3high = amax8z(" + third + ")"});
    mess(0, plot.thirdRangeMessage);
    texts({"VR3MIN = 0.0", "VR3MAX = 0.0"});
    invar("VR3MIN", 0);
    invar("VR3MAX", 0);
}

void OutputSteps::crossSectionCurves(const CrossSectionCurves& curves) {
    com(2, "   *******1D CROSS-SECTION PLOTS");
    mess(0, problem.variant(curves.variableMessage));
    outputVariable("IVAR", curves.split);
    mess(1, curves.choiceMessage);
    int axes = static_cast<int>(space.axes.size());
    int along = iread("", 1, problem.type == timeDependent ? axes + 1 : axes);
    bool againstTime = along > axes;
    curveVariable(againstTime ? "T" : space.axes[static_cast<std::size_t>(along - 1)],
                  againstTime ? curves.timeIcs : along);
    mess(0, curves.choiceMessage + along);
    // The axes at whose values the curves are drawn.
    std::vector<int> at;
    for (int axis = 0; axis < axes; ++axis)
        if (axis != along - 1) {
            crossSections(axis);
            at.push_back(axis);
        }
    if (!againstTime) savedStepRange();
    valueRange(126);
    askTitle();
    loopsAround(curves.call, at, !againstTime);
}

void OutputSteps::askNodist() {
    mess(0, 260);
    logicalAnswer("NODIST");
}

}  // namespace zemka

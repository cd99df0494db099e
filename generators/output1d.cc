#include "output1d.h"

namespace zemka {

void Output1dSteps::outputPoints1d() {
    use(Stream::header);
    mess(0, 115);
    int nx = iread("", noLowerBound, noUpperBound);
    write("(6X,'PARAMETER (NX = ',I10,')')", nx > 0 ? nx : -nx);
    use(Stream::body);
    if (nx > 0)
        evenOutputPoints(117, {"xa = xgrid(1)", "xb = xgrid(nxgrid)"}, "call dkvrx1(nx,xa,xb,hx8z,xout8z,npts8z)");
    else
        userOutputPoints(116, "nx");
}

// A surface over x and t needs a time-dependent problem.
void Output1dSteps::outputRequests1d() {
    std::vector<std::function<void()>> requests{
        [&] { table(variableMessage, "call dkvr1d(xout8z,uout(0,ivara8z,ivarb8z,is8z),npts8z,title,tout8z(is8z))"); },
        [&] { linePlots(); }, [&] { surfacePlot(); }};
    if (problem.type != timeDependent) requests.resize(2);
    outputRequests(118, requests);
}

// Curves along x at the chosen saved solutions, or against t at given x values.
void Output1dSteps::linePlots() {
    com(2, "   *******LINE PLOTS");
    mess(0, problem.variant(variableMessage));
    outputVariable("IVAR", false);
    mess(1, 124);
    bool alongX = iread("", 1, problem.type == timeDependent ? 2 : 1) == 1;
    curveVariable(alongX ? "X" : "T", alongX ? 1 : 2);
    if (alongX) {
        savedStepRange();
    } else {
        mess(0, 125);
        crossSections(0);
    }
    valueRange(126);
    askTitle();
    int label = state();
    if (alongX) {
        openSavedStepLoop(label);
    } else {
        text("is8z = 0");
        openCrossSectionLoop(0, label);
        text("call dkvrzy(xcross(ixv8z),xout8z,nx,ix8z)");
    }
    text("call dkvrzp(ics8z,ivar,tout8z,nsave,xout8z,nx,uout,neqn,title,umin,umax,ix8z,is8z)");
    closeLoop(label);
}

void Output1dSteps::surfacePlot() {
    com(2, "   *******SURFACE PLOT");
    mess(0, problem.variant(variableMessage));
    outputVariable("IVAR", false);
    viewAngles();
    plotRange(60);
    askTitle();
    text("call dkvrzd(xout8z,tout8z,uout,nx,nsave,title,neqn,ivar,vlon,vlat,umin,umax)");
}

// The example writes the output points and, per saved solution, every saved value.
Postprocessor Output1dSteps::postprocessor1d(std::vector<std::string_view> comments,
                                             std::string_view matlabWriter) const {
    comments.insert(comments.end(), {"  (possibly as modified by UPRINT,..)", "  at the point XOUT(I)",
                                     "  at time/iteration TOUT(L)."});
    return {.header = "subroutine postpr(tout,nsave,xout,nx,uout,neqn)",
            .dimensions = {"dimension xout(0:nx),tout(0:nsave)", "dimension uout(0:nx,2,neqn,0:nsave)"},
            .comments = std::move(comments),
            .exampleRest = {{3, " write (lud,78754) nx"},
                            {4, "78754 format (i8)"},
                            {3, " do 78755 i=0,nx"},
                            {3, "    write (lud,78760) xout(i)"},
                            {4, "78755 continue"},
                            {3, " do 78759 l=0,nsave0"},
                            {3, "    write (lud,78760) tout(l)"},
                            {3, "    do 78758 ieq=1,neqn"},
                            {3, "    do 78757 ider=1,2"},
                            {3, "    do 78756 i=0,nx"},
                            {3, "       write (lud,78760) uout(i,ider,ieq,l)"},
                            {4, "78756    continue"},
                            {4, "78757    continue"},
                            {4, "78758    continue"},
                            {4, "78759 continue"},
                            {4, "78760 format (e16.8)"}},
            .matlabWriter = matlabWriter};
}

const DataFileFunctions Output1dSteps::dataFunctions1d{.nameMessage = 129,
                                                       .nworkMessage = 130,
                                                       .nworkLeast = 5,
                                                       .fileMessage = 131,
                                                       .arguments = "x",
                                                       .interpolation = "dkvr1e",
                                                       .firstLetters = "ABCDEFGHOPQRSTUVWXYZabcdefghopqrstuvwxyz"};

}  // namespace zemka

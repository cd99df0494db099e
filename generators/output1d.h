// The output of the classes of one space variable x, Galerkin and collocation alike: the
// output points, tables, curves along x or against t, the surface over x and t, the
// postprocessor's example and functions of x read from data files. The classes differ in
// the message that lists the output variables and in what uout holds beside U.
#pragma once

#include <string_view>
#include <vector>

#include "output.h"

namespace zemka {

class Output1dSteps : protected virtual OutputSteps {
protected:
    // variableMessage: the first of the four versions of the message on the output variables.
    Output1dSteps(Session& session, bool marksInput, int variableMessage)
        : GeneratorBase(session, marksInput), OutputSteps(session, marksInput, {{"X"}, 2, 2}),
          variableMessage(variableMessage) {}

    // NX intervals of output spread over XA..XB, or for NX <= 0, -NX intervals whose points
    // a Fortran block of the user's sets.
    void outputPoints1d();
    // Tables and plots, each request complete in itself, until the answer 0.
    void outputRequests1d();
    // postpr with its MATLAB example; comments say what uout holds.
    Postprocessor postprocessor1d(std::vector<std::string_view> comments, std::string_view matlabWriter) const;
    static const DataFileFunctions dataFunctions1d;

private:
    const int variableMessage;

    void linePlots();
    void surfacePlot();
};

}  // namespace zemka

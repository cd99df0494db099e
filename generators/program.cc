// The writers of the generated program's pieces that program.h describes as data.
#include "steps.h"

namespace zemka {

void GeneratorBase::texts(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) text(l);
}

void GeneratorBase::texts(const std::vector<std::string_view>& lines) {
    for (std::string_view l : lines) text(l);
}

void GeneratorBase::comments(std::initializer_list<std::string_view> lines) {
    for (std::string_view l : lines) com(2, l);
}

void GeneratorBase::comments(const std::vector<std::string_view>& lines) {
    for (std::string_view l : lines) com(2, l);
}

void GeneratorBase::logical(std::string_view name, bool value) {
    text(std::string(name) + (value ? " = .TRUE." : " = .FALSE."));
}

bool GeneratorBase::logicalAnswer(std::string_view name) {
    bool yes = ifyes();
    logical(name, yes);
    return yes;
}

void GeneratorBase::reals(std::string_view names) {
    text(std::string(byPrecision("double precision ", "real ")) + std::string(names));
}

void GeneratorBase::deactivated(const std::vector<DeactivatedLine>& lines) {
    for (const DeactivatedLine& l : lines) com(l.mode, l.text);
}

void GeneratorBase::openProgram(const ProgramSkeleton& skeleton) {
    use(Stream::header);
    com(2, skeleton.heading);
    askPrecision();
    headLines({neqnmx});
    texts(skeleton.headerParameters);
    use(Stream::body);
    text(skeleton.arrays);
    comments(skeleton.restartArrays);
    text("allocatable iwrk8z(:),rwrk8z(:)");
    com(2, " dimension iwrk8z(iiwk8z),rwrk8z(irwk8z)");
    texts({"character*40 title", skeleton.logicals, "common/dkvr14/ sint8z(20),bint8z(20),slim8z(20),blim8z(20)",
           "common/dkvr15/ evlr8z,ev0r,evli8z,ev0i,evcmpx", "common/dkvr16/ p8z,evr8z(50),evi8z(50)",
           "common/dkvr19/ toler(neqnmx),adapt"});
    texts(skeleton.commons);
    texts(skeleton.start);
}

void GeneratorBase::subprogram(std::string_view header) {
    use(Stream::subprograms);
    texts({" ", " ", header});
    prec();
}

void GeneratorBase::openSubprogram(const SubprogramHead& head) {
    subprogram(head.header);
    headLines(head.lines);
}

void GeneratorBase::headLines(const std::vector<HeadLine>& lines) {
    bool eigen = problem.type == eigenvalue;
    for (const HeadLine& l : lines) {
        switch (l.kind) {
        case HeadLine::statement: text(l.text); break;
        case HeadLine::comment: com(2, l.text); break;
        case HeadLine::reals: reals(l.text); break;
        case HeadLine::neqnmx: write("(6X,'parameter (neqnmx=',I4,')')", 99); break;
        case HeadLine::eigenvalueNeqn:
            if (eigen) write("(6X,'parameter (NEQN=',I4,')')", problem.neqn);
            break;
        case HeadLine::eigenvalueRho:
            if (eigen && problem.neqn > 1) text("dimension rho(neqn,neqn)");
            break;
        case HeadLine::parameterCommon: parameterCommon(problem.globals); break;
        }
    }
}

void GeneratorBase::openPointRoutine(const PointRoutine& r) {
    openSubprogram(r.head);
    everyUnknown(r.values);
    texts(r.locate);
    everyUnknown(r.derivatives);
}

void GeneratorBase::dummyRoutines(const std::vector<std::string_view>& headers) {
    use(Stream::subprograms);
    com(2, "   dummy routines");
    constexpr std::string_view function = "function ";
    for (std::string_view header : headers) {
        text(header);
        prec();
        if (header.starts_with(function)) {
            std::string_view name = header.substr(function.size(), header.find('(') - function.size());
            text(std::string(name) + " = 0");
        }
        texts({"return", "end"});
    }
}

void GeneratorBase::unknownLines(int k, const UnknownLines& lines) {
    std::string name = unknownName(k);
    for (const UnknownLine& l : lines) {
        if (l.items.empty()) {
            text(l.line);
            continue;
        }
        Items items;
        for (char c : l.items) items.push_back(c == 'N' ? FItem(name) : FItem(k));
        writeItems(l.line, items);
    }
}

void GeneratorBase::everyUnknown(const UnknownLines& lines) {
    for (int k = 1; k <= problem.neqn; ++k) unknownLines(k, lines);
}

void GeneratorBase::jacobian(const JacobianTerms& terms, int skip) {
    int n = problem.neqn, functions = static_cast<int>(terms.functions.size());
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            for (int f = 0; f < functions; ++f)
                for (const Derivative& d : terms.derivatives)
                    matfun(terms.functions[f], i, n, unknownName(j) + std::string(d.suffix), functions * (i - 1) + 1 + f,
                           terms.unknownStride * (j - 1) + d.code, terms.lhs, skip);
}

void GeneratorBase::postpr(const Postprocessor& p) {
    subprogram(p.header);
    texts(p.dimensions);
    parameterCommon(problem.globals);
    texts({"common /dkvr27/ itask,npes,icomm", "common /dkvr46/ eps8z,cgtl8z,npmx8z,itype,near8z",
           "data lun,lud/0,47/", "if (itask.gt.0) return"});
    comments(p.comments);
    comments({"  ******* ADD POSTPROCESSING CODE HERE:", "  IN THE EXAMPLE BELOW, MATLAB PLOTFILES zemka.m,",
              " zemka.rdm CREATED (REMOVE C! COMMENTS TO ACTIVATE)"});
    deactivated({{3, " if (lun.eq.0) then"},
                 {3, "    lun = 46"},
                 {3, "    open (lun,file='zemka.m')"},
                 {3, "    open (lud,file='zemka.rdm')"},
                 {3, "    write (lun,*) 'fid = fopen(''zemka.rdm'');'"},
                 {3, " endif"}});
    std::string loop = std::to_string(p.firstLabel), format = std::to_string(p.firstLabel + 1);
    com(3, " do " + loop + " l=0,nsave");
    com(3, "    if (tout(l).ne.dkvrlx(2)) nsave0 = l");
    com(4, loop + " continue");
    com(3, " write (lud," + format + ") nsave0");
    com(3, " write (lud," + format + ") neqn");
    deactivated(p.exampleRest);
    com(2, "  ******* WRITE zemka.m ");
    com(3, " call " + std::string(p.matlabWriter) + "(itype,lun)");
    texts({"return", "end"});
}

}  // namespace zemka

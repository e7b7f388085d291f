#pragma once

#include <functional>
#include <memory>

class Report;

// The report of a kind (0 to 6), or nullptr for a kind not built yet.
std::unique_ptr<Report> makeReport(int kind);

// How the reports built on this framework join it: the shell registers the
// report of each further kind before anything asks for one. A kind registered
// again takes the later maker.
using ReportMaker = std::function<std::unique_ptr<Report>()>;
void registerReport(int kind, ReportMaker make);

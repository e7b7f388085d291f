#pragma once

#include <memory>

class Report;

// The report of a kind (0 to 6), or nullptr for a kind not built yet.
std::unique_ptr<Report> makeReport(int kind);

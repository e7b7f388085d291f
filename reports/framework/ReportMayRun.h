#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// What keeps a report from running: the late-arrival report needs the default
// start time of the door settings, the incomplete-hours report their default
// working hours; the others always run. The report windows and gt430-report
// ask here alike.
struct MissingDefault {
    enum class Setting { StartTime, WorkingHours };
    QString message; // the English text, a dictionary key
    Setting setting; // the door settings' field that gives the default
    // The incomplete-hours window warns on a preview and gives notice on a
    // save or a print; the late-arrival window gives notice on all three.
    bool previewWarns = false;
};

// The default a report of `kind` lacks with these defaults of the door
// settings, or nothing when it may run.
std::optional<MissingDefault> missingDefault(int kind, const QString& defaultStartTime, int16_t defaultWorkHours);

#pragma once

// Reads DefaultStartTime and DefaultWorkHours again from the Monday-to-Thursday
// fields of the door settings row. A field that is Null or empty, or a missing
// row, leaves its value as it was. Throws when the hours are no number.
void ReloadDefaultSchedule();

#pragma once

// Joins the on-line events, absence, incomplete-hours and unauthorized-access
// reports (kinds 0, 1, 3 and 5) to the report catalog.
void RegisterEventReports();

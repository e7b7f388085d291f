#pragma once

// Puts the real boxes, printer dialog and help window behind the seams the
// logic calls; until then those only log.
void UseWindowServices();

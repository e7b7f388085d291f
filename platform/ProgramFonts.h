#pragma once

// The faces of the Windows program (Arial, Times New Roman, Courier New) are
// drawn and printed as they are where installed, and otherwise in their
// metric-compatible Liberation faces, by a fontconfig rule the program carries
// (data/fonts/gt430-fonts.conf). Called once before the first text is laid out.
namespace ProgramFonts {

void install();

}

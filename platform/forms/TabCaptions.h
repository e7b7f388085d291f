#pragma once

class QTabWidget;

// Tabs that show their captions whole, never cut short or scrolled: the window
// takes the width the captions need, translated ones being often longer.
void keepTabCaptionsWhole(QTabWidget* tabs);

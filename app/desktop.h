#pragma once

// Where the desktop program can show its windows, asked before Qt is: Qt aborts the program on a
// display that does not answer, and waits for ever on one that accepts and never answers.
enum class Desktop {
  kNone,      // neither DISPLAY nor WAYLAND_DISPLAY is set
  kWayland,   // the Wayland compositor answers
  kX,         // the X server answers and lets the program in; Wayland does not answer
  kSilent,    // one is set, and none answers in time
};

// Each display asked, Wayland first, within a second.
Desktop FindDesktop();

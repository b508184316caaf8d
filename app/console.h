#pragma once

// The calculator in the terminal the program was started on; returns its exit status.
int ShowInTerminal();

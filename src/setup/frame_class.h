// Registration of the frame's window class, derived from the system dialog class.
#pragma once

bool RegisterFrameClass();

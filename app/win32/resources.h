#pragma once

// The ids of the executable's resources that its code asks for.
#define QUORVEL_ICON 1  // the icon group, whose one image is also the windows'

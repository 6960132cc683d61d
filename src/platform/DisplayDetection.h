#pragma once

// Whether a graphical session is there to open windows on.
class DisplayDetection
{
  public:
    // True when a display server is named in the environment, or a platform
    // plug-in is chosen explicitly (offscreen runs need no display).
    static bool Available();
};

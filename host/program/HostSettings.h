#pragma once

namespace kelo::host {

// kelo-host's part of the program-wide settings file (GetINI(0)).
class HostSettings {
public:
    // Makes the program-wide settings when there are none yet, with the host's own choices:
    // background list fill on. An existing file is left as it is. True when it was made.
    static bool MakeIfMissing();
    // "Tasks"/"AllowBackgroundFill"; absent means off, as the Task Manager reads it.
    static bool BackgroundFill();
    // False when the settings file could not be written.
    static bool SetBackgroundFill(bool on);
};

}  // namespace kelo::host

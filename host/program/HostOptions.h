#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QStringList>

namespace kelo::host {

// kelo-host's command line: --company DIR [--user NAME] [--date dd/mm/yyyy] [--tasks].
struct HostOptions {
    std::string company;
    std::string user = "OVERSEE";
    uint16_t programDate = 0;  // 0: today
    bool openTasks = false;
    // Quit once everything queued at start (the first list fill) has run: start-up timing.
    bool exitAfterStart = false;

    // The options of `arguments` (the program name first). On a bad command line returns
    // nothing and sets `error` to a message naming what is wrong.
    static std::optional<HostOptions> Parse(const QStringList& arguments, std::string& error);
    static const char* Usage();
};

}  // namespace kelo::host

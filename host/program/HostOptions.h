#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QStringList>

namespace kelo::host {

// kelo-host's command line: [--company DIR] [--user NAME] [--date dd/mm/yyyy] [--tasks]
// [--exit-after-start], and --help and --version.
struct HostOptions {
    std::string company;  // the default company in the XDG data folder when not given
    bool companyGiven = false;
    std::string user = "OVERSEE";
    uint16_t programDate = 0;  // 0: today
    bool openTasks = false;
    // Quit once everything queued at start (the first list fill) has run: start-up timing.
    bool exitAfterStart = false;
    // After --help or --version: the text to print, and nothing else to do.
    std::string print;

    // The options of `arguments` (the program name first). On a bad command line returns
    // nothing and sets `error` to a message naming what is wrong.
    static std::optional<HostOptions> Parse(const QStringList& arguments, std::string& error);
    // The synopsis and where to read more, for stderr after a bad command line.
    static std::string Usage();
};

}  // namespace kelo::host

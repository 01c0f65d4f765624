#pragma once

// The two settings files: GetINI(0) is program-wide, GetINI(1) the current user's. Both are INI
// files read and written through QSettings, in the folder "Kelo" under the XDG config folder
// (~/.config/Kelo), or in the folder named by the environment variable KELO_CONFIG_DIR, or in
// the folder set with SetINIFolder (tests), which wins over both.

#include <QString>

// Path of settings file `which` (0 or 1): "<folder>/kelo-program.ini" or "<folder>/kelo-user.ini".
// The file need not exist yet. Throws std::invalid_argument for any other `which`.
QString GetINI(int which);

// Makes GetINI use `folder` (created on first write); an empty folder returns to the default.
void SetINIFolder(const QString& folder);

// The value of `key` in [section] of `file`, or `defaultValue` when the file, section or key is
// missing. A value the file holds as a comma-separated list comes back joined with commas.
QString ReadINIString(const QString& file, const QString& section, const QString& key,
                      const QString& defaultValue);

// The integer value of `key`, or `defaultValue` when missing or not a whole number.
int ReadINIInt(const QString& file, const QString& section, const QString& key, int defaultValue);

// Writes `key` = value in [section] of `file`, creating folder and file as needed. Returns false
// when the file could not be written.
bool WriteINIString(const QString& file, const QString& section, const QString& key,
                    const QString& value);
bool WriteINIInt(const QString& file, const QString& section, const QString& key, int value);

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

namespace kelo::test {

// A registry and settings files of the test's own, and a host global block with a logged-on
// user, all gone with the object. Nothing touches the user's real settings.
class TempRegistry {
public:
    explicit TempRegistry(const std::string& user = "ANNA");
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    // The values of a registry group ("History/TasksToDoDesc"), by name; empty when absent.
    QStringList Keys(const QString& group) const;
    QVariant Value(const QString& group, const QString& name) const;
    void SetValue(const QString& group, const QString& name, const QVariant& value);
    std::vector<uint8_t>& Block() { return m_block; }

private:
    QTemporaryDir m_dir;
    std::vector<uint8_t> m_block;
};

}  // namespace kelo::test

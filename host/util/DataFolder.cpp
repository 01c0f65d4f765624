#include "host/util/DataFolder.h"

#include <QStandardPaths>

std::string DefaultCompanyFolder() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            QStringLiteral("/kelo/company"))
        .toStdString();
}

// The data files of the stores: checking that a file holds the store's fields, and
// setting aside a file that cannot be read, so that new records go to a new file while
// the old one is kept for whoever can mend it.
#include "data/UConst.h"

#include "platform/core/Exception.h"
#include "platform/dataset/ClientDataSet.h"
#include "platform/dataset/DataSetError.h"

#include <QFile>
#include <QFileInfo>

namespace {

// "Reply.cds.damaged", then "Reply.cds.damaged2", "Reply.cds.damaged3" ...
QString DamagedName(const QString& path, int attempt)
{
    QString name = path + QStringLiteral(".damaged");
    if (attempt > 1)
        name += QString::number(attempt);
    return name;
}

} // namespace

void RequireFields(TClientDataSet& dataSet, const TFieldDefs& fields, const QString& path)
{
    for (int i = 0; i < fields.Count(); ++i)
        if (dataSet.FieldDefs().IndexOf(fields[i].Name) < 0)
            throw EDataSetError(QStringLiteral("%1 has no field %2").arg(path, fields[i].Name));
}

QString SetAsideDamagedFile(const QString& path, const QString& place) noexcept
{
    try {
        // Only a file whose bytes can be read is damaged; one that cannot be read at all
        // (no permission, a failing disk) stays where it is.
        const QString reason = ExceptMessage();
        if (!QFileInfo(path).isFile())
            return {};
        ReadFileBytes(path);
        for (int attempt = 1; attempt < 1000; ++attempt) {
            const QString target = DamagedName(path, attempt);
            if (QFileInfo::exists(target))
                continue;
            // A rename never replaces an existing file, so an earlier one is never lost.
            if (!QFile::rename(path, target))
                return {};
            WriteLog(place, QStringLiteral("%1 cannot be read (%2); it was moved to %3 and a new "
                                           "file records from now on")
                                .arg(path, reason, target));
            return target;
        }
    } catch (...) {
        // Nothing was moved.
    }
    return {};
}

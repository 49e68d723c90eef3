#include "line_file.h"

namespace merovan::sim {

bool LineFile::open(const QString &path)
{
    if (path.isEmpty())
        return true;
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void LineFile::write(const QByteArray &line)
{
    if (!file_.isOpen())
        return;
    file_.write(line + '\n');
    file_.flush();
}

} // namespace merovan::sim

#include "qt_programs.h"

#include <QProcess>
#include <QStringList>

namespace kestrel::app {

Status QtPrograms::start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingDir) {
    QProcess process;
    process.setProgram(QString::fromLocal8Bit(program));
    QStringList list;
    for (const std::string& a : args) list.append(QString::fromLocal8Bit(a));
    process.setArguments(list);
    if (!workingDir.empty()) process.setWorkingDirectory(QString::fromLocal8Bit(workingDir));
    if (!process.startDetached()) return Status::failure(process.errorString().toStdString());
    return Status::success();
}

} // namespace kestrel::app

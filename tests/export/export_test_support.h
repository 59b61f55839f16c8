#pragma once
// Helpers of the export tests: a scratch folder, file access, and running programs.

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace kestrel::testing {

struct Scratch {
  QTemporaryDir dir;
  std::string File(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  /// The names in the folder, to find leftovers.
  QStringList Entries() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }
};

inline QByteArray ReadAll(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

inline QByteArray ToQByteArray(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

struct ProgramRun {
  int exitCode = -1;
  QString out, err;
};

inline ProgramRun RunProgram(const QString& program, const QStringList& args) {
  ProgramRun run;
  // A scratch folder of its own: a relative output name never lands in the source tree.
  QTemporaryDir scratch;
  QProcess p;
  p.setWorkingDirectory(scratch.path());
  p.start(program, args);
  if (!p.waitForStarted(10000)) return run;
  p.waitForFinished(60000);
  run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

}  // namespace kestrel::testing

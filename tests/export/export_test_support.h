#pragma once
// Helpers of the export tests: a scratch folder, file access, and running programs (through the
// tests' one program runner, with Qt strings).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "support/cli_runner.h"

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
  std::vector<std::string> arguments;
  for (const QString& a : args) arguments.push_back(a.toStdString());
  const CliRun run = RunProgram(program.toStdString(), arguments);
  return {run.exitCode, QString::fromStdString(run.out), QString::fromStdString(run.err)};
}

}  // namespace kestrel::testing

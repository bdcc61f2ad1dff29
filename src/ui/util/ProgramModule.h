#pragma once

#include <QString>
#include <QStringList>

// Modules of the program's own (libraries built beside it and loaded at run time
// when first needed): what they link, the web engine or the sound libraries, then
// adds nothing to the program's start. A module is looked for beside the executable,
// then in the install's library folder, then where the build put it; each is loaded
// once.
namespace ProgramModule {

// The places looked at, in order, for an executable in exeDir.
QStringList searchPaths(const QString &exeDir);
// The function called symbol in the module called name ("vimsel_browser"); null when
// the module cannot be loaded or lacks it (*error then says why).
QFunctionPointer resolve(const QString &name, const char *symbol, QString *error = nullptr);

} // namespace ProgramModule

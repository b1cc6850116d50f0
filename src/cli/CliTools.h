#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli {

/// mavix-cli find FILE TEXT [search options]: the matching cells, one line each.
int runFind(const QStringList& args, QTextStream& out, QTextStream& err);
/// mavix-cli extract FILE TEXT [search options] -o OUT: the rows with a match, written out.
int runExtract(const QStringList& args, QTextStream& err);
/// mavix-cli replace FILE BEFORE AFTER [--ignore-case] [--range R] -o OUT.
int runReplace(const QStringList& args, QTextStream& err);
/// mavix-cli sort FILE --key B [--rows 3:10] [--descending] [--number] -o OUT.
int runSort(const QStringList& args, QTextStream& err);
/// mavix-cli filesearch TEXT FILE... -o OUT.mvx [--ignore-case]: every hit listed in a sheet.
int runFileSearch(const QStringList& args, QTextStream& err);

} // namespace cli

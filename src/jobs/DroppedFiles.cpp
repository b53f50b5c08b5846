#include "DroppedFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace kelvara {

namespace {

QStringList PatternsOf(const QString& filter)
{
    // The patterns are the text between the last pair of parentheses.
    const int open = filter.lastIndexOf(QLatin1Char('('));
    const int close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close <= open)
        return {};
    return filter.mid(open + 1, close - open - 1)
        .split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
}

// A file manager's natural order: runs of digits compare by their value
// ("clip 2" before "clip 10"), the rest without regard to case.
bool NameBefore(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Leading zeros aside, a longer run is a larger number.
            const QString runA = a.mid(i, endA - i).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
            const QString runB = b.mid(j, endB - j).remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
            if (const int order = runA.compare(runB); order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const QChar x = a[i].toCaseFolded();
        const QChar y = b[j].toCaseFolded();
        if (x != y)
            return QString(x).localeAwareCompare(QString(y)) < 0;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

QStringList MediaFilesIn(const QString& folder, const QStringList& patterns)
{
    QDir dir(folder);
    dir.setNameFilters(patterns);
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::NoSort);
    QStringList names = dir.entryList();
    std::sort(names.begin(), names.end(), NameBefore);
    QStringList paths;
    for (const QString& name : names)
        paths << dir.absoluteFilePath(name);
    return paths;
}

} // namespace

QStringList MediaPatterns(const QStringList& filters)
{
    QStringList patterns;
    for (const QString& filter : filters) {
        for (const QString& pattern : PatternsOf(filter)) {
            if (pattern != QLatin1String("*") && !patterns.contains(pattern, Qt::CaseInsensitive))
                patterns << pattern;
        }
    }
    return patterns;
}

QStringList FilesToAdd(const QList<QUrl>& urls, const QStringList& patterns)
{
    QStringList files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isDir())
            files << MediaFilesIn(info.absoluteFilePath(), patterns);
        else if (info.isFile() && info.isReadable())
            files << info.absoluteFilePath();
    }
    return files;
}

} // namespace kelvara

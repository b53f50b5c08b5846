#include "DroppedFiles.h"

#include "PathText.h"
#include "SourceCheck.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

#include <dirent.h>

namespace kelvara {

namespace {

QStringList PatternsOf(const QString& filter)
{
    // The patterns are the text between the last pair of parentheses.
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
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

std::vector<QRegularExpression> Expressions(const QStringList& patterns)
{
    std::vector<QRegularExpression> expressions;
    for (const QString& pattern : patterns)
        expressions.emplace_back(QRegularExpression::wildcardToRegularExpression(pattern),
            QRegularExpression::CaseInsensitiveOption);
    return expressions;
}

bool MatchesAny(const QString& name, const std::vector<QRegularExpression>& expressions)
{
    return std::any_of(expressions.begin(), expressions.end(),
        [&](const QRegularExpression& expression) { return expression.match(name).hasMatch(); });
}

// Read with the file system's own bytes, so that a name that is not UTF-8
// still names its file.
QStringList MediaFilesIn(const QString& folder, const QStringList& patterns)
{
    const std::vector<QRegularExpression> expressions = Expressions(patterns);
    QStringList names;
    const std::string folderBytes = PathBytes(folder);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folderBytes.c_str()), ::closedir);
    if (!dir)
        return {};
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        // Hidden files stay hidden, as in a file manager.
        if (name.empty() || name.front() == '.')
            continue;
        const QString text = PathFromBytes(name);
        // A pipe or a device among the media files is left out: no one
        // dropped it by name.
        // NOLINTNEXTLINE(performance-inefficient-string-concatenation): cheap beside its stat
        if (MatchesAny(text, expressions) && KindOfSource(folderBytes + "/" + name) == SourceKind::File)
            names << text;
    }
    std::sort(names.begin(), names.end(), NameBefore);
    QStringList paths;
    for (const QString& name : names)
        paths << QDir::cleanPath(folder + QLatin1Char('/') + name);
    return paths;
}

// The dropped path with the bytes of the URL, which need not be UTF-8.
QString LocalPathOf(const QUrl& url)
{
    return QDir::cleanPath(PathFromBytes(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString()));
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

QStringList DroppedPaths(const QList<QUrl>& urls, const QStringList& patterns)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = LocalPathOf(url);
        const SourceKind kind = KindOfSource(PathBytes(path));
        if (kind == SourceKind::Folder)
            paths << MediaFilesIn(path, patterns);
        else if (kind != SourceKind::Missing && kind != SourceKind::Unreadable)
            paths << path;
    }
    return paths;
}

QStringList FilesToAdd(const QList<QUrl>& urls, const QStringList& patterns)
{
    return SortSources(DroppedPaths(urls, patterns)).toAdd;
}

} // namespace kelvara

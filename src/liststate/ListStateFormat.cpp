#include "liststate/ListStateFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>

namespace kelvara::liststate {
namespace {

constexpr std::array<const char*, 4> kStateNames = { "converting", "done", "stopped", "queued" };

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Text(const QJsonValue& value)
{
    return value.toString().toStdString();
}

QJsonArray Pair(double a, double b)
{
    return QJsonArray { a, b };
}

QJsonObject JobToJson(const StoredJob& job)
{
    QJsonArray partials;
    for (const std::string& path : job.partialOutputs)
        partials.append(Text(path));
    return QJsonObject {
        { "source", Text(job.sourcePath) },
        { "durationMs", job.durationMs },
        { "sourceSize", Pair(job.sourceWidth, job.sourceHeight) },
        { "trimMs", Pair(job.trimStartMs, job.trimEndMs) },
        { "outputSize", Pair(job.outputWidth, job.outputHeight) },
        { "avi",
            QJsonObject { { "frameRate", job.aviFrameRate }, { "videoCodec", job.aviVideoCodec },
                { "audioCodec", job.aviAudioCodec } } },
        { "mpeg",
            QJsonObject { { "type", job.mpegType }, { "frameRate", job.mpegFrameRate },
                { "audioBitrate", job.mpegAudioBitrate }, { "audioRate", job.mpegAudioRate } } },
        { "fileNumber", job.fileNumber },
        { "outputTitle", Text(job.outputTitle) },
        { "titleText", Text(job.titleText) },
        { "titleCopy", Text(job.titleCopy) },
        { "sourceKind",
            QJsonObject {
                { "vob", job.isVob }, { "realMedia", job.isRealMedia }, { "vcdDat", job.isVcdDat } } },
        { "intermediate", Text(job.intermediatePath) },
        { "partialOutputs", partials },
        { "state", kStateNames[static_cast<std::size_t>(job.state)] },
        { "failed", job.failed },
        { "finished", job.finished },
        { "percent", job.percentDone },
        { "stage", static_cast<int>(job.stage) },
        { "outcome", Text(job.outcome) },
        { "output", Text(job.outputPath) },
    };
}

QJsonObject WindowToJson(const WindowChoices& window)
{
    QJsonArray lists;
    for (const auto& [control, item] : window.lists)
        lists.append(QJsonObject { { "control", control }, { "item", Text(item) } });
    return QJsonObject { { "category", window.category }, { "tab", window.tab },
        { "outputFolder", Text(window.outputFolder) }, { "lists", lists } };
}

// A number of the file; a missing one leaves `into` as it is. Nothing that is
// not a finite number is taken.
bool ReadNumber(const QJsonValue& value, double& into)
{
    if (value.isUndefined())
        return true;
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return false;
    into = value.toDouble();
    return true;
}

bool ReadNumber(const QJsonValue& value, std::int32_t& into)
{
    double number = into;
    if (!ReadNumber(value, number) || number < -2147483648.0 || number > 2147483647.0)
        return false;
    into = static_cast<std::int32_t>(number);
    return true;
}

template <typename T> bool ReadPair(const QJsonValue& value, T& first, T& second)
{
    if (value.isUndefined())
        return true;
    const QJsonArray pair = value.toArray();
    return value.isArray() && pair.size() == 2 && ReadNumber(pair[0], first) && ReadNumber(pair[1], second);
}

bool ReadStage(const QJsonValue& value, JobStage& into)
{
    std::int32_t stage = static_cast<std::int32_t>(into);
    if (!ReadNumber(value, stage) || stage < 0 || stage > static_cast<std::int32_t>(JobStage::Canceled))
        return false;
    into = static_cast<JobStage>(stage);
    return true;
}

bool ReadState(const QJsonValue& value, JobState& into)
{
    for (std::size_t i = 0; i < kStateNames.size(); ++i) {
        if (value.toString() == QLatin1String(kStateNames[i])) {
            into = static_cast<JobState>(i);
            return true;
        }
    }
    return value.isUndefined();
}

std::optional<StoredJob> JobFromJson(const QJsonValue& value)
{
    const QJsonObject o = value.toObject();
    StoredJob job = ToStored(JobRecord {});
    job.sourcePath = Text(o["source"]);
    const QJsonObject avi = o["avi"].toObject();
    const QJsonObject mpeg = o["mpeg"].toObject();
    const QJsonObject kind = o["sourceKind"].toObject();
    const bool read = value.isObject() && !job.sourcePath.empty()
        && ReadNumber(o["durationMs"], job.durationMs)
        && ReadPair(o["sourceSize"], job.sourceWidth, job.sourceHeight)
        && ReadPair(o["trimMs"], job.trimStartMs, job.trimEndMs)
        && ReadPair(o["outputSize"], job.outputWidth, job.outputHeight)
        && ReadNumber(avi["frameRate"], job.aviFrameRate) && ReadNumber(avi["videoCodec"], job.aviVideoCodec)
        && ReadNumber(avi["audioCodec"], job.aviAudioCodec) && ReadNumber(mpeg["type"], job.mpegType)
        && ReadNumber(mpeg["frameRate"], job.mpegFrameRate)
        && ReadNumber(mpeg["audioBitrate"], job.mpegAudioBitrate)
        && ReadNumber(mpeg["audioRate"], job.mpegAudioRate) && ReadNumber(o["fileNumber"], job.fileNumber)
        && ReadNumber(kind["vob"], job.isVob) && ReadNumber(kind["realMedia"], job.isRealMedia)
        && ReadNumber(kind["vcdDat"], job.isVcdDat) && ReadState(o["state"], job.state)
        && ReadNumber(o["finished"], job.finished) && ReadNumber(o["percent"], job.percentDone)
        && ReadStage(o["stage"], job.stage) && job.trimStartMs <= job.trimEndMs;
    if (!read)
        return std::nullopt;
    job.outputTitle = Text(o["outputTitle"]);
    job.titleText = Text(o["titleText"]);
    job.titleCopy = Text(o["titleCopy"]);
    job.intermediatePath = Text(o["intermediate"]);
    for (const auto& path : o["partialOutputs"].toArray())
        job.partialOutputs.push_back(Text(path));
    job.failed = o["failed"].toBool();
    job.outcome = Text(o["outcome"]);
    job.outputPath = Text(o["output"]);
    return job;
}

WindowChoices WindowFromJson(const QJsonObject& o)
{
    WindowChoices window;
    window.category = o["category"].toInt(-1);
    window.tab = o["tab"].toInt(-1);
    window.outputFolder = Text(o["outputFolder"]);
    for (const auto& list : o["lists"].toArray()) {
        const QJsonObject entry = list.toObject();
        if (entry["control"].isDouble() && entry["item"].isString())
            window.lists.emplace_back(entry["control"].toInt(), Text(entry["item"]));
    }
    return window;
}

ParsedList Refused(const QString& problem)
{
    return { std::nullopt, problem };
}

} // namespace

QByteArray ListToJson(const StoredList& list)
{
    QJsonArray jobs;
    for (const StoredRow& job : list.jobs)
        jobs.append(JobToJson(*job));
    const QJsonObject root { { "version", kListStateVersion }, { "window", WindowToJson(list.window) },
        { "jobs", jobs } };
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

ParsedList ListFromJson(const QByteArray& text)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        return Refused(QStringLiteral("not JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        return Refused(QStringLiteral("not a JSON object"));
    const QJsonObject root = document.object();
    const QJsonValue version = root["version"];
    if (!version.isDouble() || version.toDouble() < 1)
        return Refused(QStringLiteral("no version"));
    if (version.toDouble() > kListStateVersion)
        return Refused(QStringLiteral("written by a newer version (%1)").arg(version.toDouble()));
    if (!root["jobs"].isArray() && !root["jobs"].isUndefined())
        return Refused(QStringLiteral("the jobs are not a list"));
    StoredList list;
    list.window = WindowFromJson(root["window"].toObject());
    const QJsonArray jobs = root["jobs"].toArray();
    list.jobs.reserve(static_cast<std::size_t>(jobs.size()));
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        std::optional<StoredJob> job = JobFromJson(jobs[i]);
        if (!job)
            return Refused(QStringLiteral("job %1 cannot be read").arg(i + 1));
        list.jobs.push_back(std::make_shared<const StoredJob>(std::move(*job)));
    }
    return { std::move(list), QString() };
}

} // namespace kelvara::liststate

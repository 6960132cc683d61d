#include "ResultsTestSupport.h"
#include "TestFiles.h"

#include "results/ResultsCsv.h"
#include "results/ResultsStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Kind names that need quoting, a Chinese name, a line break and a polygon
// whose columns differ from the lines'.
std::vector<ResultRow> AwkwardRows()
{
    ResultRow polygon = LineRow("多边形", "");
    polygon.values = {{Quantity::Segment, 1, QStringLiteral("0.710000"), QStringLiteral("mm")},
                      {Quantity::Segment, 2, QStringLiteral("0.710000"), QStringLiteral("mm")},
                      {Quantity::Perimeter, 0, QStringLiteral("1.420000"), QStringLiteral("mm")},
                      {Quantity::Area, 0, QStringLiteral("0.252050"), QStringLiteral("mm^2")}};
    polygon.points = QStringLiteral("(0,0) (100,0) (100,100)");
    return {LineRow("Line, \"any\" angle", "0.710000"), polygon,
            LineRow("任意角度直线", "710.000000", "um"), LineRow("two\nlines", "1.000000")};
}

// The file reads back as the same rows in either language, and an independent
// reader, Python's csv module, sees the same fields whatever the program's
// locale would write for a decimal point.
TEST(ResultsCsvTest, ReadsBackAndPythonCsvModuleReadsTheSameFields)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    ASSERT_FALSE(python.isEmpty()) << "python3 is needed as the independent CSV reader";
    const std::vector<ResultsTexts> languages{TestTexts(false), TestTexts(true)};
    for (const ResultsTexts& texts : languages) {
        QString error;
        const auto rows = ResultsCsv::Read(
            ResultsCsv::Csv(ResultsCsv::Lines(AwkwardRows(), {}, texts)), languages, error);
        ASSERT_TRUE(rows) << error.toStdString();
        EXPECT_EQ(*rows, AwkwardRows());
    }
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German));
    const QList<QStringList> lines = ResultsCsv::Lines(AwkwardRows(), {}, TestTexts());
    const QByteArray csv = ResultsCsv::Csv(lines);
    QLocale::setDefault(previous);

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("r.csv"));
    ASSERT_TRUE(TestFiles::Write(file, csv));
    QProcess reader;
    reader.start(python,
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f))))\n"),
                  file});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray records = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();

    ASSERT_EQ(records.size(), lines.size());
    for (qsizetype r = 0; r < lines.size(); ++r)
        EXPECT_EQ(records[r].toVariant().toStringList(), lines[r]) << r;
    EXPECT_TRUE(csv.contains(",0.710000,"));
    EXPECT_TRUE(csv.endsWith("\r\n"));
}

TEST(ResultsCsvTest, MalformedFilesAreRefusedTheStoreSavesIntoAnExistingFolderOnly)
{
    const std::vector<ResultsTexts> languages{TestTexts()};
    const QByteArray header = "No.,Kind,Length (mm),Unit,Magnification,Pixel size (mm),Points\r\n";
    const std::tuple<const char*, QByteArray> cases[] = {
        {"empty", ""},
        {"not a results header", "a,b,c,d,e,f,g\r\n"},
        {"unknown column", "No.,Kind,Weight (g),Unit,Magnification,Pixel size (mm),Points\r\n"},
        {"short line", header + "1,Line,0.71,mm,50\r\n"},
        {"not a number", header + "1,Line,abc,mm,50,0.355,\r\n"},
        {"open quote", header + "1,\"Line,0.71,mm,50,0.355,\r\n"},
        {"text after quote", header + "1,\"Line\"x,0.71,mm,50,0.355,\r\n"},
        {"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)},
    };
    for (const auto& [name, data] : cases) {
        QString error;
        EXPECT_FALSE(ResultsCsv::Read(data, languages, error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    QString error;
    EXPECT_TRUE(ResultsCsv::Read(header, languages, error)); // no rows yet

    // The store saves atomically into an existing folder only.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Info/20081231_1234.csv"));
    const QByteArray csv = ResultsCsv::Csv(ResultsCsv::Lines(AwkwardRows(), {}, TestTexts()));
    EXPECT_FALSE(ResultsStore::Save(path, csv, error)); // Info is never created
    EXPECT_TRUE(ResultsStore::Load(path, languages).error.isEmpty());

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Info")));
    ASSERT_TRUE(ResultsStore::Save(path, csv, error)) << error.toStdString();
    EXPECT_EQ(ResultsStore::Load(path, languages).rows, AwkwardRows());
    EXPECT_EQ(QDir(folder.filePath(QStringLiteral("Info"))).entryList(QDir::Files).size(), 1);

    // A link placed at the name is not followed.
    const QString target = folder.filePath(QStringLiteral("elsewhere.csv"));
    QFile::remove(path);
    ASSERT_TRUE(QFile::link(target, path));
    EXPECT_FALSE(ResultsStore::Save(path, csv, error));
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace

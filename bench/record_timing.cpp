// How quickly the practice record is read and written, and what keeping it
// adds to checking an answer, each against a baseline measured alternately
// in the same run:
// - reading a record of 10 000 checks (opening «Упражнение» does), against
//   reading the same file's bytes alone (target: within 50 ms);
// - adding a check to it, which writes the whole file anew through
//   QSaveFile, against writing the same bytes with QSaveFile alone (target:
//   within 50 ms);
// - «Провери» on two answers, repainted, with that record kept on disk,
//   against the same with a record kept in memory alone (target: within 2 ×);
//   the record is written on a thread of its own meanwhile, and the time to
//   the end of that write is shown beside it.
// On the offscreen platform, in a temporary folder.
//
// Usage: record_timing [RUNS, default 30]

#include "practicewindow.h"
#include "record.h"

#include "timing.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Ten thousand checks, as a year of practice might leave them: every type
// and level, one box in five wrong with a known mistake, a few hints.
std::vector<progress::Attempt> longRecord()
{
    std::vector<progress::Attempt> record;
    const qint64 start = 1767225600; // 2026-01-01
    for (int i = 0; i < 10000; ++i) {
        progress::Attempt a;
        a.type = i % practice::typeCount;
        a.level = practice::levelFor(a.type, practice::Level(i / practice::typeCount % 3));
        a.number = a.type < practice::variantTypes ? 10000 + i % 90000 : 100000 + i;
        a.time = start + qint64(i) * 2400;
        a.offset = 7200;
        a.hints = i % 7 == 0 ? 1 : 0;
        a.tries = i % 5 == 4 ? 2 : 1;
        a.boxCount = practice::typeFacts(a.type).soughtCount;
        for (int b = 0; b < a.boxCount; ++b)
            a.boxes[std::size_t(b)].outcome = progress::Outcome::Right;
        if (i % 5 == 3)
            a.boxes[0] = {progress::Outcome::Wrong, std::int8_t(i % practice::knownMistakes().size())};
        record.push_back(a);
    }
    return record;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    const QString path = folder.filePath(QStringLiteral("record.txt"));
    const QString plain = folder.filePath(QStringLiteral("plain.txt"));
    const std::vector<progress::Attempt> record = longRecord();
    const QByteArray text = progress::recordText(record);
    for (const QString &file : {path, plain}) {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            return 1;
    }

    std::vector<double> read, readBytes, write, writeBytes;
    for (int run = 0; run < runs; ++run) {
        readBytes.push_back(milliseconds([&] {
            QFile in(plain);
            in.open(QIODevice::ReadOnly);
            volatile qsizetype size = in.readAll().size();
            (void)size;
        }));
        std::unique_ptr<progress::RecordFile> file;
        read.push_back(milliseconds([&] { file = std::make_unique<progress::RecordFile>(path); }));
        if (file->attempts().size() != record.size() + std::size_t(run))
            return 1;
        const QByteArray line = progress::attemptLine(record[std::size_t(run)]);
        writeBytes.push_back(milliseconds([&] {
            QSaveFile out(plain);
            out.open(QIODevice::WriteOnly);
            out.write(text);
            out.write(line);
            out.commit();
        }));
        write.push_back(milliseconds([&] { file->add(record[std::size_t(run)]); }));
    }

    // «Провери» with the record on disk and in memory, turn about.
    PracticeWindow practice;
    practice.show();
    practice.pose(10004);
    auto *first = practice.findChild<QLineEdit *>(QStringLiteral("practiceAnswer(0)"));
    auto *second = practice.findChild<QLineEdit *>(QStringLiteral("practiceAnswer(1)"));
    first->setText(QStringLiteral("(12 - √122)/2"));
    second->setText(QStringLiteral("5,52"));
    auto onDisk = std::make_unique<progress::RecordFile>(path);
    auto inMemory = std::make_unique<progress::RecordFile>(QString());
    std::vector<double> kept, notKept, keptAndWritten;
    const auto checking = [&] {
        return milliseconds([&] {
            practice.check();
            QCoreApplication::sendPostedEvents();
            practice.repaint();
        });
    };
    for (int run = 0; run < runs; ++run) {
        practice.useRecord(std::move(inMemory));
        notKept.push_back(checking());
        inMemory = std::make_unique<progress::RecordFile>(QString());
        practice.useRecord(std::move(onDisk));
        kept.push_back(checking());
        onDisk = std::make_unique<progress::RecordFile>(path);
        practice.useRecord(std::move(onDisk));
        keptAndWritten.push_back(milliseconds([&] {
            checking();
            practice.record(); // waits for the write
        }));
        onDisk = std::make_unique<progress::RecordFile>(path);
    }

    const auto line = [](const char *what, const std::vector<double> &times,
                         const std::vector<double> &baseline, const char *against) {
        std::printf("  %-44s %7.2f ms, largest %6.2f ms; %5.2f × %s (%.2f ms)\n", what,
                    median(times), *std::max_element(times.begin(), times.end()),
                    median(times) / median(baseline), against, median(baseline));
    };
    std::printf("The practice record of %zu checks (%.0f KB), medians of %d runs:\n", record.size(),
                double(text.size()) / 1024, runs);
    line("reading it (target 50 ms)", read, readBytes, "reading its bytes");
    line("adding a check, written whole (target 50 ms)", write, writeBytes, "writing its bytes");
    line("«Провери», record on disk (target 2 ×)", kept, notKept, "record in memory");
    line("«Провери» and the write after it", keptAndWritten, notKept, "record in memory");
    return 0;
}

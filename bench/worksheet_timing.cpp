// How long the largest worksheet takes to write: 40 problems in each of 4
// groups, every one drawn, with its key, as a PDF (target: within 2 s),
// against writing one empty page with QPdfWriter in the same run, alternately.
// On the offscreen platform, as the command line writes it.
//
// Usage: worksheet_timing [RUNS, default 5]

#include "timing.h"
#include "worksheet.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir folder;
    worksheet::Options options;
    options.problems = worksheet::mostProblems;
    options.groups = worksheet::mostGroups;
    options.level = practice::Level::Roots;
    std::vector<double> sheets, empties;
    for (int run = 0; run < runs; ++run) {
        empties.push_back(milliseconds([&] {
            QPdfWriter pdf(folder.filePath(QStringLiteral("empty.pdf")));
            QPainter painter(&pdf);
        }));
        options.seed = std::uint32_t(100000 + run);
        sheets.push_back(milliseconds([&] {
            if (!worksheet::writeSheetPdf(folder.filePath(QStringLiteral("sheet.pdf")),
                                          worksheet::makeSheet(options))) {
                std::fprintf(stderr, "worksheet_timing: the sheet was not written\n");
                std::exit(1);
            }
        }));
    }
    std::printf("worksheet of 40 problems in 4 groups, drawn, with its key, median of %d runs: "
                "%.0f ms, largest %.0f ms (target 2000 ms); one empty page %.1f ms: %.0f ×\n",
                runs, median(sheets), *std::max_element(sheets.begin(), sheets.end()),
                median(empties), median(sheets) / median(empties));
    return 0;
}

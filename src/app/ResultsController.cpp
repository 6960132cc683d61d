#include "app/ResultsController.h"

#include "app/LanguageTable.h"
#include "draw/CDrawMeasure.h"
#include "magnification/MagnificationModel.h"
#include "results/MeasurementCapture.h"
#include "results/ResultsCsv.h"
#include "results/ResultsStore.h"
#include "results/ResultsWindow.h"

#include <QFileInfo>

namespace {

// String ids: English from 13001, Chinese from 3001, in the order of Ids.
enum Ids {
    MenuText,
    WindowTitle,
    NumberColumn,
    KindColumn,
    UnitColumn,
    MagnificationColumn,
    PixelSizeColumn,
    PointsColumn,
    FirstQuantity,
    CountLine = FirstQuantity + ResultsTexts::QuantityCount,
    MeanLine,
    DeviationLine,
    MinimumLine,
    MaximumLine,
    ExportButton,
    CopyButton,
    Unreadable,
    WriteFailed,
};

QString Text(const LanguageTable& language, int id)
{
    return language.Text({13001 + id, 3001 + id});
}

} // namespace

ResultsController::ResultsController(const LanguageTable& language, QWidget* windowParent)
    : texts(TextsFor(language)), readableLanguages{TextsFor(LanguageTable(0)),
                                                   TextsFor(LanguageTable(1))},
      windowParent(windowParent)
{}

ResultsController::~ResultsController()
{
    delete window;
}

ResultsTexts ResultsController::TextsFor(const LanguageTable& language)
{
    ResultsTexts t;
    t.number = Text(language, NumberColumn);
    t.kind = Text(language, KindColumn);
    t.unit = Text(language, UnitColumn);
    t.magnification = Text(language, MagnificationColumn);
    t.pixelSize = Text(language, PixelSizeColumn);
    t.points = Text(language, PointsColumn);
    for (int q = 0; q < ResultsTexts::QuantityCount; ++q)
        t.quantities[size_t(q)] = Text(language, FirstQuantity + q);
    t.count = Text(language, CountLine);
    t.mean = Text(language, MeanLine);
    t.deviation = Text(language, DeviationLine);
    t.minimum = Text(language, MinimumLine);
    t.maximum = Text(language, MaximumLine);
    t.title = Text(language, WindowTitle);
    t.exportButton = Text(language, ExportButton);
    t.copyButton = Text(language, CopyButton);
    t.unreadable = Text(language, Unreadable);
    t.writeFailed = Text(language, WriteFailed);
    return t;
}

QString ResultsController::MenuText(const LanguageTable& language)
{
    return Text(language, ::MenuText);
}

QString ResultsController::FilePathFor(const QString& picturePath)
{
    const QString info = MagnificationModel::InfoPathForPicture(picturePath);
    return info.isEmpty() ? QString() : info + QStringLiteral(".csv");
}

void ResultsController::PictureOpened(const QString& path)
{
    picturePath = path;
    filePath = FilePathFor(path);
    keepUnreadableFile = false;
    ResultsStore::Loaded loaded;
    if (!filePath.isEmpty())
        loaded = ResultsStore::Load(filePath, readableLanguages);
    table.Replace(std::move(loaded.rows));
    if (window) {
        const QFileInfo picture(picturePath);
        window->SetPicture(picture.completeBaseName(), picture.absolutePath());
        window->SetRows(table.Rows());
    }
    if (!loaded.error.isEmpty()) {
        keepUnreadableFile = true;
        if (showMessage)
            showMessage(Title(),
                        texts.unreadable.arg(QFileInfo(filePath).fileName(), loaded.error));
    }
}

QString ResultsController::Title() const
{
    return texts.title.arg(QFileInfo(picturePath).completeBaseName());
}

void ResultsController::ShowWindow()
{
    if (!window) {
        window = new ResultsWindow(texts, windowParent);
        window->showMessage = [this](const QString& message) {
            if (showMessage)
                showMessage(Title(), message);
        };
        const QFileInfo picture(picturePath);
        window->SetPicture(picture.completeBaseName(), picture.absolutePath());
        window->SetRows(table.Rows());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ResultsController::Committed(CDrawObject* object)
{
    std::optional<ResultRow> row;
    if (auto* measure = dynamic_cast<CDrawMeasure*>(object)) {
        if (const std::optional<MeasurementRecord> record = MeasurementCapture::Capture(*measure))
            row = ResultRow::From(*record, kindName ? kindName(record->tool) : QString());
    }
    if (row)
        keepUnreadableFile = false;
    if (table.Committed(std::move(row)))
        RowsChanged();
}

void ResultsController::Undone()
{
    if (table.Undone())
        RowsChanged();
}

void ResultsController::Redone()
{
    if (table.Redone())
        RowsChanged();
}

void ResultsController::RowsChanged()
{
    if (window)
        window->SetRows(table.Rows());
    if (filePath.isEmpty() || keepUnreadableFile)
        return;
    // Without an Info folder the table lives only while the picture is shown,
    // like the picture's info record.
    QString error;
    ResultsStore::Save(filePath, ResultsCsv::Csv(ResultsCsv::Lines(table.Rows(), {}, texts)),
                       error);
}

#include "app/ResultsController.h"

#include "draw/CDrawMeasure.h"
#include "magnification/MagnificationModel.h"
#include "results/MeasurementCapture.h"
#include "results/ResultsCsv.h"
#include "results/ResultsStore.h"
#include "results/ResultsWindow.h"
#include "text/LanguageTable.h"

#include <QFileInfo>

ResultsController::ResultsController(const LanguageTable& language, QWidget* windowParent)
    : texts(ResultsTexts::For(language)), readableLanguages{ResultsTexts::For(LanguageTable(0)),
                                                            ResultsTexts::For(LanguageTable(1))},
      windowParent(windowParent)
{}

ResultsController::~ResultsController()
{
    delete window;
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

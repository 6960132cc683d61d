#include "results/ResultsTexts.h"

#include "text/LanguageTable.h"

namespace {

// The order of the results texts in the string table.
enum Ids {
    MenuItemText,
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
    IdCount
};
static_assert(IdCount == Texts::ResultsTextCount);

QString Text(const LanguageTable& language, int id)
{
    return language.Text(Texts::ResultsText(id));
}

} // namespace

QString ResultsTexts::QuantityName(Quantity quantity, int segment) const
{
    const QString& name = quantities[size_t(quantity)];
    return quantity == Quantity::Segment ? name.arg(segment) : name;
}

ResultsTexts ResultsTexts::For(const LanguageTable& language)
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

QString ResultsTexts::MenuText(const LanguageTable& language)
{
    return Text(language, MenuItemText);
}

#pragma once

#include <QHash>
#include <QString>

// One text the program shows: its string id in English and in Chinese. The
// pairs follow no rule, so each use names its own.
struct TextPair
{
    int english;
    int chinese;
};

namespace Texts {
inline constexpr TextPair TooltipSaveAs{11101, 1101};
inline constexpr TextPair TooltipCopyFile{11102, 1102};
inline constexpr TextPair TooltipCopyImage{11103, 1103};
inline constexpr TextPair TooltipMail{11104, 1104};
inline constexpr TextPair TooltipDrawing{11105, 1105};
inline constexpr TextPair TooltipDrawingExtern{11106, 1106};
inline constexpr TextPair TooltipText{11107, 1107};
inline constexpr TextPair TooltipTextExtern{11108, 1108};
inline constexpr TextPair TooltipMeasurement{11109, 1109}; // also the EXTERN beside it
inline constexpr TextPair TooltipPrevious{11111, 1111};
inline constexpr TextPair TooltipNext{11112, 1112};
inline constexpr TextPair TooltipUndo{11113, 1113};
inline constexpr TextPair TooltipRedo{11114, 1114};
inline constexpr TextPair TooltipZoomIn{11115, 1115};
inline constexpr TextPair TooltipZoomOut{11116, 1116};
inline constexpr TextPair TooltipMin{11119, 1119};
inline constexpr TextPair TooltipMax{11120, 1120};
inline constexpr TextPair TooltipClose{11121, 1121};

inline constexpr TextPair ModifiedCaption{11118, 1123};
inline constexpr TextPair ModifiedMessage{11122, 1124};
inline constexpr TextPair Yes{257, 1125};
inline constexpr TextPair No{258, 1126};

inline constexpr TextPair CalibrationPromptCaption{255, 1118};
inline constexpr TextPair CalibrationPromptMessage{11117, 1117};
inline constexpr TextPair Ok{256, 1122};

inline constexpr TextPair AdjustTitle{1225, 11225};
// Indexed by the measurement unit: mm, um, mil, inch.
inline constexpr TextPair AdjustUnitLabel[4] = {
    {1226, 11226}, {259, 11259}, {260, 11260}, {261, 11261}};
inline constexpr TextPair AdjustActualDimension{262, 11262};
inline constexpr TextPair AdjustAdjustedMagnification{263, 11263};
inline constexpr TextPair AdjustUseAsMeasure{264, 11264};

inline constexpr TextPair SetMagnificationWarning{265, 11265};
inline constexpr TextPair SetMagnificationLabel{266, 11266};
inline constexpr TextPair SetMagnificationTitle{267, 11267};
inline constexpr TextPair Cancel{268, 11268};

inline constexpr TextPair MailCaption{11123, 1127};
inline constexpr TextPair MailBusyMessage{11124, 1128};

// These two exist in Chinese only and are shown whatever the language.
inline constexpr TextPair NotANumber{61713, 61713};
inline constexpr TextPair MailFailed{61842, 61842};

inline constexpr TextPair ClipboardWarningCaption{40101, 41101};
inline constexpr TextPair ClipboardNotEnoughMemory{40102, 41102};
inline constexpr TextPair SaveAsTitle{40103, 41103};
inline constexpr TextPair SaveTiffType{40130, 41130};
inline constexpr TextPair SaveScaleBar{40131, 41131};
inline constexpr TextPair SaveWithoutScale{40132, 41132};
inline constexpr TextPair SaveOriginalSize{40005, 41005};
// The font dialog's colour choice beside its effects.
inline constexpr TextPair FontColorLabel{40104, 41104};
inline constexpr TextPair FontColorCustom{40105, 41105};

// A file could not be written; each message takes the system's reason as %1.
inline constexpr TextPair WriteFailedCaption = ClipboardWarningCaption;
inline constexpr TextPair SettingsWriteFailed{12002, 2002};
inline constexpr TextPair InfoWriteFailed{12003, 2003};
inline constexpr TextPair ClipboardWriteFailed{12004, 2004};

// Shown in every language.
inline constexpr TextPair PressEscToExit{40001, 40001};
inline constexpr TextPair DialogOk{40002, 40002};
inline constexpr TextPair LineStyleTitle{40003, 40003};
inline constexpr TextPair LineWidthTitle{40004, 40004};
inline constexpr TextPair SaveSmallSize{40006, 40006};
inline constexpr TextPair SaveBitmapType{40007, 40007};
inline constexpr TextPair SaveJpegType{40008, 40008};
inline constexpr TextPair AdjustMeasuredDimension{40009, 40009};
inline constexpr TextPair AdjustReferenceMagnification{40010, 40010};

// The tool menus' texts, by position among the items that carry one
// (separators skipped); both languages have the same items.
constexpr TextPair MenuText(int position)
{
    return {23400 + position, 16700 + position};
}
inline constexpr int MenuTextCount = 39;

// The results table's texts, in the order the results code lists them.
constexpr TextPair ResultsText(int index)
{
    return {13001 + index, 3001 + index};
}
inline constexpr int ResultsTextCount = 27;

// The sixteen basic colours, in the order of the font dialog's colour list.
constexpr TextPair BasicColorName(int index)
{
    return {40110 + index, 41110 + index};
}
inline constexpr int BasicColorCount = 16;

// Every pair above, so that checks can walk them all.
inline constexpr TextPair Listed[] = {TooltipSaveAs,
                                      TooltipCopyFile,
                                      TooltipCopyImage,
                                      TooltipMail,
                                      TooltipDrawing,
                                      TooltipDrawingExtern,
                                      TooltipText,
                                      TooltipTextExtern,
                                      TooltipMeasurement,
                                      TooltipPrevious,
                                      TooltipNext,
                                      TooltipUndo,
                                      TooltipRedo,
                                      TooltipZoomIn,
                                      TooltipZoomOut,
                                      TooltipMin,
                                      TooltipMax,
                                      TooltipClose,
                                      ModifiedCaption,
                                      ModifiedMessage,
                                      Yes,
                                      No,
                                      CalibrationPromptCaption,
                                      CalibrationPromptMessage,
                                      Ok,
                                      AdjustTitle,
                                      AdjustUnitLabel[0],
                                      AdjustUnitLabel[1],
                                      AdjustUnitLabel[2],
                                      AdjustUnitLabel[3],
                                      AdjustActualDimension,
                                      AdjustAdjustedMagnification,
                                      AdjustUseAsMeasure,
                                      SetMagnificationWarning,
                                      SetMagnificationLabel,
                                      SetMagnificationTitle,
                                      Cancel,
                                      MailCaption,
                                      MailBusyMessage,
                                      NotANumber,
                                      MailFailed,
                                      ClipboardWarningCaption,
                                      ClipboardNotEnoughMemory,
                                      SaveAsTitle,
                                      SettingsWriteFailed,
                                      InfoWriteFailed,
                                      ClipboardWriteFailed,
                                      SaveTiffType,
                                      SaveScaleBar,
                                      SaveWithoutScale,
                                      FontColorLabel,
                                      FontColorCustom,
                                      PressEscToExit,
                                      DialogOk,
                                      LineStyleTitle,
                                      LineWidthTitle,
                                      SaveOriginalSize,
                                      SaveSmallSize,
                                      SaveBitmapType,
                                      SaveJpegType,
                                      AdjustMeasuredDimension,
                                      AdjustReferenceMagnification};
} // namespace Texts

// The program's string resources and the language chosen in the settings:
// 0 is English, any other value Chinese.
class LanguageTable
{
  public:
    // Sizes of the message box and tooltip fields, each counting a terminating zero.
    static constexpr int ButtonField = 16;
    static constexpr int CaptionField = 32;
    static constexpr int MessageField = 128;
    static constexpr int TooltipField = 260;

    explicit LanguageTable(int language = 0);

    int Language() const { return language; }
    bool IsEnglish() const { return IsEnglish(language); }
    static bool IsEnglish(int language) { return language == 0; }

    // The id this language uses for a text.
    int Id(TextPair pair) const { return IsEnglish() ? pair.english : pair.chinese; }

    // The whole text of a pair in this language.
    QString Text(TextPair pair) const { return String(Id(pair)); }

    // A text shown the same in every language.
    static QString Common(TextPair pair) { return String(pair.english); }

    // The string resource of an id, whatever the language; empty when there is none.
    static QString String(int id);
    static bool Contains(int id);

    // Texts as the fixed-size fields of a box or a tooltip hold them.
    QString ButtonText(TextPair pair) const { return Cut(Text(pair), ButtonField); }
    QString CaptionText(TextPair pair) const { return Cut(Text(pair), CaptionField); }
    QString MessageText(TextPair pair) const { return Cut(Text(pair), MessageField); }
    QString TooltipText(TextPair pair) const { return Cut(Text(pair), TooltipField); }

    // What a field of fieldSize UTF-16 units keeps of a text: at most fieldSize - 1
    // units, never half of a surrogate pair.
    static QString Cut(const QString& text, int fieldSize);

    // Parses "id<TAB>text" lines ('#' starts a comment line; \n, \t and \\ escapes)
    // into table; returns false when a line is malformed or an id repeats.
    static bool Parse(const QByteArray& data, QHash<int, QString>& table);

  private:
    static const QHash<int, QString>& Strings();

    int language;
};

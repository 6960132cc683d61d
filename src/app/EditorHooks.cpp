#include "app/EditorHooks.h"

#include "app/CSpawnMenu.h"
#include "app/FontColorDialog.h"
#include "dialogs/CLineStyle.h"
#include "dialogs/CLineWidth.h"
#include "dialogs/CMessageBox.h"
#include "magnification/CAdjustMagnificationDlg.h"
#include "magnification/CSetMagnification.h"
#include "text/LanguageTable.h"

#include <QColorDialog>

EditorHooks EditorHooks::ProgramDialogs(QWidget* window,
                                        std::function<const LanguageTable&()> texts,
                                        CSetMagnification* setMagnificationDialog)
{
    EditorHooks hooks;
    hooks.messageBox = [window](const QString& caption, const QString& message, const QString& yes,
                                const QString& no) {
        CMessageBox box(window);
        box.caption = caption;
        box.message = message;
        box.yesText = yes;
        box.noText = no;
        box.singleButton = no.isEmpty() ? 1 : 0;
        return box.Run();
    };
    hooks.chooseColor = [window](ColorRef& color) {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), window, QString(),
                                                     QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid())
            return false;
        color = ToColorRef(chosen);
        return true;
    };
    hooks.chooseLineStyle = [window](int& styleIndex) {
        CLineStyle dialog(window);
        dialog.styleIndex = styleIndex;
        if (dialog.Run() != CLineChoiceDialog::ResultOk)
            return false;
        styleIndex = dialog.styleIndex;
        return true;
    };
    hooks.chooseLineWidth = [window](int& widthIndex) {
        CLineWidth dialog(window);
        dialog.widthIndex = widthIndex;
        if (dialog.Run() != CLineChoiceDialog::ResultOk)
            return false;
        widthIndex = dialog.widthIndex;
        return true;
    };
    hooks.chooseFont = [window, texts](LogFont& font, ColorRef& color) {
        return FontColorDialog::Choose(font, color, texts(), window);
    };
    hooks.popupMenu = [](CSpawnMenu& popup, QPoint position) {
        return CSpawnMenu::CommandOf(popup.exec(position));
    };
    hooks.setMagnification = [texts, setMagnificationDialog](double& value) {
        setMagnificationDialog->SetTexts(texts());
        return setMagnificationDialog->Run(value);
    };
    hooks.adjustMagnification = [window, texts](const CalibrationRequest& request) {
        const LanguageTable& table = texts();
        CAdjustMagnificationDlg::Texts t;
        t.caption = table.Text(Texts::AdjustTitle);
        const int unit = request.unitIndex >= 1 && request.unitIndex <= 3 ? request.unitIndex : 0;
        t.unitLabel = table.Text(Texts::AdjustUnitLabel[unit]);
        t.actualLabel = table.Text(Texts::AdjustActualDimension);
        t.adjustedLabel = table.Text(Texts::AdjustAdjustedMagnification);
        t.checkLabel = table.Text(Texts::AdjustUseAsMeasure);
        t.okText = table.Text(Texts::Ok);
        return CAdjustMagnificationDlg::Run(request, t, window);
    };
    return hooks;
}

// The conversion tools of the home page and the floating panel, done by the editor component.

#include "qmainwidget.h"

#include "ipxv.h"
#include "qcommonmethod.h"

namespace {

// The editor's convert command for the button or tile that asked: the floating panel's
// buttons are told apart by name; the home page's tile converts to Word.
QString convertCommand(const QString& softId, const QObject* asker)
{
    if (softId == QLatin1String("draftmorph_win"))
        return QStringLiteral("cmd.convertToDrawing");
    if (softId != QLatin1String("pagemorph_win"))
        return QString();
    const QString button = asker ? asker->objectName() : QString();
    if (button == QLatin1String("btnToExcel"))
        return QStringLiteral("cmd.convertToSpreadsheet");
    if (button == QLatin1String("btnToPPT"))
        return QStringLiteral("cmd.convertToPresentation");
    if (button == QLatin1String("btnToImage"))
        return QStringLiteral("cmd.convertToImage");
    return QStringLiteral("cmd.convertToWord");
}

} // namespace

void QMainWidget::installConvertHandler()
{
    // The slots that call openLink run while the clicked button is still their sender.
    QCommonMethod::setLinkHandler([this](const QString& softId, const QString&, const QString&) {
        const QString command = convertCommand(softId, sender());
        if (command.isEmpty())
            return false;
        control()->inst()->runCommand(command, 0);
        return true;
    });
}

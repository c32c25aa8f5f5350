#include "app/CAboutDlg.h"

#include "view/Resources.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using Resources::DialogUnits;

namespace {

const QSize kIconSize(32, 32);

} // namespace

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    Resources::Init();
    setWindowTitle(QStringLiteral("About Quenvale"));
    setFixedSize(DialogUnits(255), DialogUnits(48));
    setFont(Resources::FormFont());

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("icon"));
    // The icon at twice its size, and the control as big as the icon, as
    // the platform's icon controls size themselves to their icon.
    m_icon->setGeometry(QRect(Resources::UnitRect(11, 17, 20, 20).topLeft(), kIconSize));
    m_icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *text = new QLabel(QStringLiteral("Quenvale V2.13.En.180517"), this);
    text->setObjectName(QStringLiteral("version"));
    text->setTextFormat(Qt::PlainText);
    text->setGeometry(Resources::UnitRect(47, 14, 194, 8));

    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(Resources::UnitRect(108, 26, 34, 14));
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// The icon is drawn in the pixels of the screen the box shows on.
void CAboutDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_icon->setPixmap(Resources::PixelArtIcon(QStringLiteral(":/res/quenvale-16.png"))
                          .pixmap(kIconSize, devicePixelRatioF()));
}

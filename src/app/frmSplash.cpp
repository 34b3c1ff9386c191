#include "app/frmSplash.h"

#include "Version.h"
#include "admin/frmSetup.h"
#include "app/frmStartup.h"
#include "frame/Program.h"
#include "frame/WebLinks.h"
#include "frame/Widgets.h"
#include "platform/qt/QtPlatform.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>

namespace rotaplan {

frmSplash::frmSplash(Program& program) : program_(program) {
    setObjectName("frmSplash");
    setWindowTitle(QString("ROTAPLAN  %1").arg(MakerName));

    auto* logo = MakeLogo(this, "imgLogo", "Ends the  Program", "Exit the program", 128);
    connect(logo, &ClickLabel::clicked, this, [this] { program_.ExitProgram(); });

    auto* lblProductName = Named(new QLabel("Rotaplan", this), "lblProductName");
    QFont big = lblProductName->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblProductName->setFont(big);
    auto* lblCompanyProduct =
        Named(new QLabel("for Contractors and Tradesmen", this), "lblCompanyProduct");
    lblVersion_ = Named(new QLabel(this), "lblVersion");
    lblCopyright_ = Named(new QLabel(this), "lblCopyright");
    auto* lblRunning = Named(new QLabel("Quarrow Programs share files. Exit all other Quarrow "
                                        "Programs before continuing....",
                                        this),
                             "lblRunning");
    auto* lblWarning = Named(
        new QLabel("This program is provided as it is, without warranty of any kind. Keep "
                   "regular archives of your files: the maker is not liable for lost bookings, "
                   "lost work or any other damage arising from its use.",
                   this),
        "lblWarning");
    lblWarning->setWordWrap(true);
    auto* label1 = Named(
        new ClickLabel(QString("Rotaplan is free. Visit %1 on the web.").arg(MakerName), this),
        "Label1", "Click to Visit");
    label1->setCursor(Qt::PointingHandCursor);
    label1->setStyleSheet("color: palette(link); text-decoration: underline;");
    connect(label1, &ClickLabel::clicked, this,
            [this] { OpenLink(program_, WebLinks::MakerHome); });
    prgMoving_ = Named(new QProgressBar(this), "prgMoving");
    prgMoving_->setFormat(TranslatedLines("Moving past call slips to the completed ones: %p%"));
    prgMoving_->hide();
    auto* cmdContinue = Named(new QPushButton("Continue", this), "cmdContinue");
    cmdContinue->setDefault(true);
    cmdContinue->setAutoDefault(true);
    connect(cmdContinue, &QPushButton::clicked, this, &frmSplash::cmdContinue_Click);

    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName);
    text->addWidget(lblCompanyProduct);
    text->addWidget(lblVersion_);
    text->addSpacing(8);
    text->addWidget(lblRunning);
    text->addWidget(label1);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblCopyright_, 1);
    bottom->addWidget(cmdContinue);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblWarning);
    layout->addWidget(prgMoving_);
    layout->addLayout(bottom);
    layout->setContentsMargins(20, 20, 20, 16);
    // As large as the desktop's font makes the texts, never cutting one.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmdContinue->setFocus();
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lblVersion_->setText(TranslatedLines("Version %1.%2.%3")
                             .arg(version::Major)
                             .arg(version::Minor)
                             .arg(version::Revision));
    lblCopyright_->setText(QString("Copyright © %1 2001-%2")
                               .arg(MakerName)
                               .arg(program_.System().clock.Now().date.year));
}

void frmSplash::ShowProgress(std::int64_t done, std::int64_t total) {
    show();
    prgMoving_->setVisible(done < total);
    prgMoving_->setMaximum(1000);
    prgMoving_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
    // Painted now: the step goes on running on this thread. Clicks wait for the menu.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmSplash::cmdContinue_Click() {
    hide();
    if (program_.Variables().FilesMissing)
        program_.ShowAnew<frmSetup>();
    else
        program_.ShowAnew<frmStartup>();
}

} // namespace rotaplan

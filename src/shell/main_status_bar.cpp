#include "shell/main_status_bar.h"

#include <QLabel>

#include <iterator>
#include <stdexcept>

#include "shell/shell_messages.h"

namespace money {
namespace {

constexpr int kPanelWidths[] = {210, 190, 330, 50};

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("StatusBar1"));
  // The last panel starts at its width and reaches the right edge, so the date is never cut off.
  for (int width : kPanelWidths) {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(panels_.size()));
    const bool last = panels_.size() + 1 == std::size(kPanelWidths);
    if (last) {
      panel->setMinimumWidth(width);
    } else {
      panel->setFixedWidth(width);
    }
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    addWidget(panel, last ? 1 : 0);
    panels_.push_back(panel);
  }
  SetPanelText(0, QString::fromUtf8(kProgramTitle));
  SetPanelText(2, QString::fromUtf8(kStatusInformation));
}

QLabel& MainStatusBar::Panel(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) throw std::out_of_range("no such status bar panel");
  return *panels_[static_cast<size_t>(panel)];
}

void MainStatusBar::SetPanelText(int panel, const QString& text) { Panel(panel).setText(text); }

QString MainStatusBar::PanelText(int panel) const { return Panel(panel).text(); }

}  // namespace money

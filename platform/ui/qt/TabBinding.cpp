#include "ui/qt/TabBinding.h"

#include <QFrame>
#include <QTabBar>

#include "ui/CTabCtrl.h"
#include "ui/qt/DialogMetrics.h"

namespace uv::qt {

namespace {

// The tab row over a framed display area, as a Windows tab control looks.
QWidget* makeTabs(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* area = new QFrame(box);
  area->setObjectName(QStringLiteral("area"));
  area->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  auto* bar = new QTabBar(box);
  bar->setObjectName(QStringLiteral("tabs"));
  bar->setDrawBase(false);
  bar->setExpanding(false);
  return box;
}

}  // namespace

TabBinding::TabBinding(CWnd& control, QWidget* parent, const DialogMetrics& metrics)
    : ControlBinding(control, makeTabs(parent), metrics) {
  widget()->lower();  // the pages lie on top of it
  auto* bar = widget()->findChild<QTabBar*>(QStringLiteral("tabs"));
  bar->setFont(metrics.font());
  QObject::connect(bar, &QTabBar::tabBarClicked, this, [this](int index) {
    act([this, index] { static_cast<CTabCtrl&>(this->control()).userSelectTab(index); }, said(L"choose", {ControlBinding::index(index)}));
    refresh();
  });
}

void TabBinding::refreshState() {
  auto& model = static_cast<CTabCtrl&>(control());
  auto* bar = widget()->findChild<QTabBar*>(QStringLiteral("tabs"));
  auto* area = widget()->findChild<QFrame*>(QStringLiteral("area"));
  while (bar->count() > 0) bar->removeTab(0);
  for (int i = 0; i < model.GetItemCount(); ++i) bar->addTab(QString::fromStdWString(model.itemText(i).str()));
  bar->setCurrentIndex(model.GetCurSel());
  bar->move(2, 0);
  bar->resize(bar->sizeHint());
  const int top = bar->sizeHint().height() - 1;
  area->setGeometry(0, top, widget()->width(), widget()->height() - top);
}

}  // namespace uv::qt

#include "host/gui/AciColorDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/render/AciPalette.h"

namespace uv::gui {

namespace {
constexpr int kColumns = 24;
}

AciColorDialog::AciColorDialog(int initial, bool allowMetaColors, QWidget* parent)
    : QDialog(parent), m_meta(allowMetaColors) {
  setObjectName(QStringLiteral("colorDialog"));
  setWindowTitle(QStringLiteral("Select Color"));
  auto* grid = new QGridLayout;
  grid->setSpacing(1);
  for (int index = 1; index <= 255; ++index) {
    auto* cell = new QToolButton(this);
    cell->setObjectName(QStringLiteral("color%1").arg(index));
    cell->setFixedSize(16, 16);
    cell->setToolTip(QString::number(index));
    cell->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #808080;")
                            .arg(render::AciPalette::rgb(index).name()));
    connect(cell, &QToolButton::clicked, this, [this, index] { setColour(index); });
    grid->addWidget(cell, (index - 1) / kColumns, (index - 1) % kColumns);
  }
  auto* row = new QHBoxLayout;
  if (allowMetaColors) {
    auto* byLayer = new QPushButton(QStringLiteral("ByLayer"), this);
    auto* byBlock = new QPushButton(QStringLiteral("ByBlock"), this);
    connect(byLayer, &QPushButton::clicked, this, [this] { setColour(256); });
    connect(byBlock, &QPushButton::clicked, this, [this] { setColour(0); });
    row->addWidget(byLayer);
    row->addWidget(byBlock);
  }
  row->addStretch(1);
  row->addWidget(new QLabel(QStringLiteral("Color:"), this));
  m_number = new QSpinBox(this);
  m_number->setObjectName(QStringLiteral("colorNumber"));
  m_number->setRange(allowMetaColors ? 0 : 1, allowMetaColors ? 256 : 255);
  row->addWidget(m_number);
  m_swatch = new QLabel(this);
  m_swatch->setFixedSize(40, 20);
  row->addWidget(m_swatch);
  connect(m_number, &QSpinBox::valueChanged, this, [this](int v) {
    const bool meta = v == 0 || v == 256;
    m_swatch->setText(v == 256 ? QStringLiteral("ByLayer") : v == 0 ? QStringLiteral("ByBlock") : QString());
    m_swatch->setStyleSheet(meta ? QString()
                                 : QStringLiteral("background-color: %1;").arg(render::AciPalette::rgb(v).name()));
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setColour(initial);
  emit m_number->valueChanged(m_number->value());
}

int AciColorDialog::colour() const { return m_number->value(); }

void AciColorDialog::setColour(int colour) {
  const bool meta = colour == 0 || colour == 256;
  if (colour < 0 || colour > 256 || (meta && !m_meta)) colour = 7;
  m_number->setValue(colour);
}

}  // namespace uv::gui

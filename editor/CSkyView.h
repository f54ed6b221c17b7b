#pragma once

#include "chart/SkyChart.h"
#include "model/MeterData.h"

#include <QImage>
#include <QPointF>
#include <QStringList>
#include <QWidget>

#include <optional>

class QMenu;
class UserPrompts;

// The "Sky View" window: the sky as the dish at the stored Local Position sees it, with the
// geostationary arc and a dot for each satellite in use. It reads the editor's image on every
// repaint, so after a change the editor only calls Refresh(); the chart's geometry is worked
// out again only when the dish position, a used slot's name or position, the size or the font
// changed.
class CSkyView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSkyView)

public:
    // The image must outlive the view. With a parent, the view is still a window of its own.
    CSkyView(const MeterImage& image, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CSkyView() override;

    // Repaints from the image as it is now, with the satellite of `selectedSlot` highlighted
    // (-1 or a slot not in use: none).
    void Refresh(int selectedSlot);
    int SelectedSlot() const { return m_selectedSlot; }
    // Shows the window, or brings it to the front when it is already open.
    void Open();
    // "Save Image...": asks for a file name and writes the chart as a PNG of the window's size.
    void SaveImage();
    // The chart at the widget's size, as painted and as saved.
    QImage RenderImage() const;
    // "Compass Bearings": the bottom scale in compass bearings of today, else true ones.
    void SetCompassBearings(bool on);
    bool CompassBearings() const { return m_compass; }

    // Where the slot's dot is drawn; a null point when it is not (not in use, below the
    // horizon).
    QPointF SatellitePoint(int slot) const;
    // Where the slot's label is drawn; a null rectangle when it is not.
    QRectF LabelRect(int slot) const;
    // The bottom scale's labelled marks: bearing and where it stands across the widget.
    QList<std::pair<int, double>> ScaleMarks() const;
    // The plot: elevation 0 at its bottom edge, 90 at its top, 180 degrees of azimuth across.
    QRectF ChartRect() const;
    // The satellites listed below the horizon, one text per entry.
    QStringList BelowHorizon() const;
    // The slot whose dot, label or list entry is at the point; -1 for none.
    int SlotAt(const QPointF& point) const;

    QSize sizeHint() const override;

signals:
    // A click on a satellite; the editor selects that slot's node as a click on the node does.
    void SatelliteClicked(int slot);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const SkyChart& Chart() const;
    void Paint(QPainter& painter) const;

    const MeterImage& m_image;
    UserPrompts& m_prompts;
    int m_selectedSlot = -1;
    QMenu* m_menu = nullptr;
    QAction* m_compassAction = nullptr;
    bool m_compass = false;
    mutable std::optional<SkyChart> m_chart;
};

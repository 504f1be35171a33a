#pragma once
// Private to the platform layer: the Qt Charts side of a chart. The scene and its chart
// exist without a window, so a chart can be drawn into a bitmap or a printed page.
#include <QGraphicsScene>
#include <QPainter>
#include <QPointer>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <vector>

#include "platform/chart/Chart.h"

struct TCustomChart::ChartImpl {
    explicit ChartImpl(TCustomChart* o);
    TCustomChart* owner;
    QGraphicsScene scene;
    QChart* chart = nullptr;              // owned by the scene
    std::vector<QLineSeries*> series;     // owned by the chart
    std::vector<unsigned> seriesRevision; // of the data copied into each
    std::vector<bool> seriesLog;          // copied for a logarithmic bottom axis (x as log10 x)
    // The axes show the ticks the chart chooses (AxisTicks.h) as labelled categories; a
    // logarithmic bottom axis runs over log10 of the values.
    QCategoryAxis* left = nullptr;
    QCategoryAxis* right = nullptr;
    QCategoryAxis* bottom = nullptr;
    unsigned revision = ~0u;
    // Copies what has changed of the chart into the Qt chart.
    void Sync();
    // Chooses each axis's ticks for the length it has now in the laid-out chart.
    void ApplyTicks();
    // Draws the chart into Target (chart at Target's size).
    void Render(QPainter* Painter, const QRectF& Target);
};

namespace zvchart {
struct Access {
    static TCustomChart::ChartImpl* Of(const TCustomChart* c) { return c->ChartImplPtr(); }
};
inline TCustomChart::ChartImpl* ChartImplOf(const TCustomChart* c) { return Access::Of(c); }
} // namespace zvchart

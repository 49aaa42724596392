#include "app/CurveComputation.h"

#include "nsa/NSACurve.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace
{

ComputeOutcome ComputeHere(std::vector<nsa::TNSAData>& curves)
{
    for (nsa::TNSAData& curve : curves)
        if (nsa::CalculateNSACurve(curve) != nsa::CurveStatus::Done)
            return ComputeOutcome::Refused;
    return ComputeOutcome::Done;
}

ComputeOutcome ComputeWithProgress(QWidget* parent, std::vector<nsa::TNSAData>& curves)
{
    int totalPoints = 0;
    for (const nsa::TNSAData& curve : curves)
        totalPoints += curve.NumPoints;

    QProgressDialog dialog(QObject::tr("Calculating NSA..."), QObject::tr("Cancel"), 0, totalPoints,
                           parent);
    dialog.setObjectName(QStringLiteral("ProgressDialog"));
    dialog.setWindowTitle(QObject::tr("Veldmark"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);

    // The worker touches only the curves and these atomics until done is set.
    nsa::CurveProgress progress;
    std::atomic<bool> done{false};
    ComputeOutcome outcome = ComputeOutcome::Done;
    std::thread worker([&] {
        for (nsa::TNSAData& curve : curves) {
            const nsa::CurveStatus status = progress.cancel
                                                ? nsa::CurveStatus::Cancelled
                                                : nsa::CalculateNSACurve(curve, &progress);
            if (status != nsa::CurveStatus::Done) {
                outcome = status == nsa::CurveStatus::Cancelled ? ComputeOutcome::Cancelled
                                                                : ComputeOutcome::Refused;
                break;
            }
        }
        done = true;
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        dialog.setValue(progress.pointsDone.load());
        if (done)
            loop.quit();
    });
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] { progress.cancel = true; });
    poll.start();
    dialog.show();
    if (!done)
        loop.exec();
    // The loop also ends when the application quits; the worker must not
    // outlive the curves it writes to.
    if (!done)
        progress.cancel = true;
    worker.join();
    return progress.cancel && outcome == ComputeOutcome::Done ? ComputeOutcome::Cancelled : outcome;
}

} // namespace

ComputeOutcome ComputeCurves(QWidget* parent, std::vector<nsa::TNSAData>& curves,
                             std::int64_t progressThreshold)
{
    std::int64_t work = 0;
    for (const nsa::TNSAData& curve : curves)
        work += nsa::CurveFieldEvaluations(curve);
    if (work <= progressThreshold)
        return ComputeHere(curves);
    return ComputeWithProgress(parent, curves);
}

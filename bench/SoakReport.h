#pragma once

#include "ProcessFigures.h"

#include <algorithm>
#include <cstdio>
#include <vector>

// The figures of a soak, printed as `name value` lines: the resident memory at the start, at each purge
// (before it, its peak and after it) and at the end, the slope of the memory after the first purge in
// MiB per hour, the open files and threads at the start, at the end and at most, and the number of
// purges. The slope is fitted to the levels the soak gives (memory at equal text size), least squares,
// those after the first purge when there was one. Each name starts with `prefix`, for soaks side by side.
class SoakReport {
public:
    explicit SoakReport(const ProcessFigures& start, const char* prefix = "")
        : m_prefix(prefix)
        , m_mostFds(start.fds)
        , m_mostThreads(start.threads) {
        std::printf("%srss_start_mb %.2f\n%sfds_start %d\n%sthreads_start %d\n", m_prefix, start.residentMb,
                    m_prefix, start.fds, m_prefix, start.threads);
        std::fflush(stdout);
    }

    void sample(const ProcessFigures& now) {
        m_mostFds = std::max(m_mostFds, now.fds);
        m_mostThreads = std::max(m_mostThreads, now.threads);
    }

    // A purge at `seconds` into the run.
    void purge(double seconds, double beforeMb, double peakMb, double afterMb) {
        if (m_purges++ == 0)
            m_levels.clear();
        if (beforeMb > 0)
            m_worstPeakRatio = std::max(m_worstPeakRatio, peakMb / beforeMb);
        std::printf("%spurge %d at_s %.0f rss_before_mb %.2f peak_mb %.2f rss_after_mb %.2f\n", m_prefix,
                    m_purges, seconds, beforeMb, peakMb, afterMb);
        std::fflush(stdout);
    }

    // The memory at equal text size at `seconds`.
    void level(double seconds, double residentMb) { m_levels.push_back({seconds / 3600.0, residentMb}); }

    int purges() const { return m_purges; }

    void finish(double seconds, const ProcessFigures& end) {
        sample(end);
        const char* p = m_prefix;
        std::printf("%sminutes %.1f\n%spurges %d\n%srss_end_mb %.2f\n", p, seconds / 60.0, p, m_purges, p,
                    end.residentMb);
        if (m_levels.size() >= 2)
            std::printf("%sslope_mib_per_hour %.2f\n", p, slope());
        else
            std::printf("%sslope_mib_per_hour n/a (fewer than two levels)\n", p);
        if (m_purges > 0)
            std::printf("%spurge_peak_ratio_max %.2f\n", p, m_worstPeakRatio);
        std::printf("%sfds_end %d\n%sfds_max %d\n%sthreads_end %d\n%sthreads_max %d\n", p, end.fds, p,
                    m_mostFds, p, end.threads, p, m_mostThreads);
        std::fflush(stdout);
    }

private:
    struct Level {
        double hours;
        double mb;
    };

    double slope() const {
        double meanX = 0, meanY = 0;
        for (const Level& l : m_levels) {
            meanX += l.hours;
            meanY += l.mb;
        }
        meanX /= double(m_levels.size());
        meanY /= double(m_levels.size());
        double covariance = 0, variance = 0;
        for (const Level& l : m_levels) {
            covariance += (l.hours - meanX) * (l.mb - meanY);
            variance += (l.hours - meanX) * (l.hours - meanX);
        }
        return variance > 0 ? covariance / variance : 0;
    }

    const char* m_prefix;
    int m_mostFds;
    int m_mostThreads;
    int m_purges = 0;
    double m_worstPeakRatio = 0;
    std::vector<Level> m_levels;
};

// trend-demo-data: writes a data root like the data-source application's, or one large file
// for the benchmarks.
//   trend-demo-data ROOT
//   trend-demo-data --bench-file PATH [--rows N] [--columns C] [--start yyyy/mm/dd]
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Mydatetimeunit.h"

namespace {

// A small deterministic generator, the same on every machine.
class Noise {
public:
    explicit Noise(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    double uniform() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    double centered() { return uniform() + uniform() + uniform() - 1.5; }

private:
    uint64_t state_;
};

void makeFolder(const std::string& path) {
    ::mkdir(path.c_str(), 0777);
}

std::string joinPath(const std::string& a, const std::string& b) {
    return a + "/" + b;
}

// A controlled loop: set point with steps, process value following it, controller output.
struct Loop {
    double sv = 50.0, pv = 50.0, mv = 40.0, integral = 40.0;
    void step(double dtSeconds, Noise& noise, double setPoint) {
        sv = setPoint;
        const double error = sv - pv;
        integral += 0.02 * error * dtSeconds / 10.0;
        mv = std::fmin(100.0, std::fmax(0.0, integral + 0.8 * error));
        const double target = 10.0 + 0.9 * mv;
        pv += (target - pv) * (1.0 - std::exp(-dtSeconds / 180.0)) + noise.centered() * 0.15;
    }
};

struct DayPlan {
    std::string device;
    trend::TDateTime start;
    int intervalSeconds;
    int rows;
    std::vector<std::pair<int, int>> gaps;  // (first row, rows left out)
    bool nullMarks;
};

void writeTrendFile(const std::string& path, const DayPlan& plan, Noise& noise, Loop& loop) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    const char* full = "yyyy'/'mm'/'dd hh':'nn':'ss";
    std::fprintf(out, "HART diagnostic trend,recorded by the data-source application\r\n");
    std::fprintf(out, "Device,%s,Tag %s,Interval %d s\r\n", plan.device.c_str(),
                 plan.device.c_str(), plan.intervalSeconds);
    std::fprintf(out, "%s %s\r\n", plan.device.c_str(),
                 trend::FormatDateTime(full, plan.start).c_str());
    std::fprintf(out, "Date Time,PV,SV,MV\r\n");
    for (int r = 0; r < plan.rows; ++r) {
        bool skipped = false;
        for (auto [from, count] : plan.gaps) {
            skipped = skipped || (r >= from && r < from + count);
        }
        const int minuteOfDay = r * plan.intervalSeconds / 60;
        const double setPoint =
            50.0 + 10.0 * ((minuteOfDay / 240) % 3) - 5.0 * ((minuteOfDay / 90) % 2);
        loop.step(plan.intervalSeconds, noise, setPoint);
        if (skipped) {
            continue;
        }
        const trend::TDateTime t =
            trend::IncSecond(plan.start, static_cast<long long>(r) * plan.intervalSeconds);
        std::string pv = std::to_string(std::round(loop.pv * 1000.0) / 1000.0);
        if (plan.nullMarks && noise.uniform() < 0.004) {
            pv = noise.uniform() < 0.5 ? "N" : "NaN";
        } else {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.3f", loop.pv);
            pv = buffer;
        }
        std::fprintf(out, "%s,%s,%.1f,%.2f\r\n", trend::FormatDateTime(full, t).c_str(), pv.c_str(),
                     loop.sv, loop.mv);
    }
    std::fclose(out);
}

void writeDemoRoot(const std::string& root) {
    makeFolder(root);
    Noise noise(7);

    // FT-101: DIAGDATA layout, one file a day, a row a minute.
    Loop flowLoop;
    const std::string device = joinPath(root, "FT-101");
    const std::string diag = joinPath(device, "DIAGDATA");
    makeFolder(device);
    makeFolder(diag);
    struct Month {
        int year, month;
        std::vector<int> days;
    };
    const std::vector<Month> months = {
        {2025, 11, {28, 29, 30}}, {2025, 12, {1, 2, 3}}, {2026, 1, {}}, {2026, 2, {1, 2}}};
    for (const Month& m : months) {
        const std::string yearFolder = joinPath(diag, std::to_string(m.year));
        char monthName[8];
        std::snprintf(monthName, sizeof monthName, "%02d", m.month);
        const std::string monthFolder = joinPath(yearFolder, monthName);
        makeFolder(yearFolder);
        makeFolder(monthFolder);
        for (int day : m.days) {
            DayPlan plan{"FT-101", static_cast<double>(trend::EncodeDate(m.year, m.month, day)),
                         60,       1440,
                         {},       true};
            if (day == 29) {
                plan.gaps = {{600, 5}, {900, 45}};  // a 6-minute and a 46-minute hole
            }
            char name[64];
            std::snprintf(name, sizeof name, "FT-101_Trend_%04d%02d%02d.csv", m.year, m.month, day);
            writeTrendFile(joinPath(monthFolder, name), plan, noise, flowLoop);
        }
    }

    // TIC-205: plug-in layout, folders of trend files side by side, a row every 10 s.
    Loop temperatureLoop;
    const std::string plugin = joinPath(root, "TIC-205");
    makeFolder(plugin);
    for (int day : {10, 11, 12}) {
        char folder[32];
        std::snprintf(folder, sizeof folder, "2026-01-%02d", day);
        const std::string dayFolder = joinPath(plugin, folder);
        makeFolder(dayFolder);
        DayPlan plan{"TIC-205", static_cast<double>(trend::EncodeDate(2026, 1, day)), 10, 8640, {},
                     true};
        if (day == 11) {
            plan.gaps = {{3000, 120}};  // twenty minutes without recording
        }
        char name[64];
        std::snprintf(name, sizeof name, "TIC-205_Trend_202601%02d.csv", day);
        writeTrendFile(joinPath(dayFolder, name), plan, noise, temperatureLoop);
    }
}

void writeBenchFile(const std::string& path, long rows, int columns, trend::TDateTime start) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    Noise noise(11);
    std::fprintf(out, "HART diagnostic trend\r\nDevice,BENCH\r\n");
    std::fprintf(out, "BENCH %s\r\n",
                 trend::FormatDateTime("yyyy'/'mm'/'dd hh':'nn':'ss", start).c_str());
    std::fprintf(out, "Date Time");
    for (int c = 0; c < columns; ++c) {
        std::fprintf(out, ",C%d", c + 1);
    }
    std::fprintf(out, "\r\n");
    std::vector<double> level(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        level[static_cast<size_t>(c)] = 10.0 + 10.0 * c;
    }
    std::string line;
    long long ms = trend::ToMilliseconds(start);
    for (long r = 0; r < rows; ++r, ms += 1000) {
        const trend::TDateTime t = static_cast<double>(ms / 86400000) +
                                   static_cast<double>(ms % 86400000) / trend::kMSecsPerDay;
        line = trend::FormatDateTime("yyyy'/'mm'/'dd hh':'nn':'ss", t);
        for (int c = 0; c < columns; ++c) {
            double& v = level[static_cast<size_t>(c)];
            v += noise.centered() * 0.05;
            char buffer[32];
            if (noise.uniform() < 0.001) {
                std::strcpy(buffer, ",N");
            } else {
                std::snprintf(buffer, sizeof buffer, ",%.3f", v);
            }
            line += buffer;
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
    std::fclose(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--bench-file") == 0) {
        long rows = 1000000;
        int columns = 8;
        trend::TDateTime start = trend::ParseDateTimeText("2021/03/15 00:00:00");
        for (int i = 3; i + 1 < argc; i += 2) {
            if (std::strcmp(argv[i], "--rows") == 0) {
                rows = std::atol(argv[i + 1]);
            } else if (std::strcmp(argv[i], "--columns") == 0) {
                columns = std::atoi(argv[i + 1]);
            } else if (std::strcmp(argv[i], "--start") == 0) {
                start = trend::ParseDateTimeText(argv[i + 1]);
            }
        }
        writeBenchFile(argv[2], rows, columns, start);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: trend-demo-data ROOT\n"
                     "       trend-demo-data --bench-file PATH [--rows N] [--columns C] "
                     "[--start yyyy/mm/dd]\n");
        return 64;
    }
    writeDemoRoot(argv[1]);
    return 0;
}

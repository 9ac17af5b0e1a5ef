// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "propagation/monte_carlo.h"

#include "analysis/number_format.h"
#include "analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <thread>

namespace tavrello::propagation {

namespace {

// Draws are made in blocks of this many, each block from a generator seeded by the seed and the
// block's number: whichever thread makes a block, it holds the same draws.
constexpr std::size_t blockSize = 8192;
constexpr std::size_t histogramBins = 50;
// Share of the draws beyond which undefined values refuse the result.
constexpr double mostInvalid = 0.001;

// How one input is drawn (JCGM 101 6.4).
struct Law {
    enum class Shape { Fixed, Normal, ScaledT, Rectangular, Triangular, Arcsine };
    Shape shape = Shape::Fixed;
    double centre = 0;
    double scale = 0;
    double nu = 0;
    // A rectangular term of this half-width added: a series' allowance.
    double halfWidth = 0;
};

Law::Shape shapeOf(Distribution distribution) {
    switch (distribution) {
    case Distribution::Uniform:
        return Law::Shape::Rectangular;
    case Distribution::Triangular:
        return Law::Shape::Triangular;
    case Distribution::Arcsine:
        return Law::Shape::Arcsine;
    case Distribution::Normal:
        return Law::Shape::Normal;
    }
    return Law::Shape::Fixed;
}

Law lawOf(const Input& input) {
    Law law;
    law.centre = input.estimate;
    const double allowance = input.allowance.value_or(0);
    switch (input.stated.kind) {
    case InputKind::Series:
        // A series' mean as a scaled and shifted t with n − 1 degrees of freedom (6.4.9),
        // its allowance as a rectangular term.
        if (input.uA > 0) {
            law.shape = Law::Shape::ScaledT;
            law.scale = input.uA;
            law.nu = static_cast<double>(input.series->result.n - 1);
            law.halfWidth = allowance;
        } else if (allowance > 0) {
            law.shape = Law::Shape::Rectangular;
            law.halfWidth = allowance;
        }
        break;
    case InputKind::Single:
        if (allowance > 0) {
            law.shape = shapeOf(input.stated.distribution);
            law.halfWidth = allowance;
            law.scale = allowance / 3;
        }
        break;
    case InputKind::Known:
        if (input.u > 0) {
            law.shape = input.nu ? Law::Shape::ScaledT : Law::Shape::Normal;
            law.scale = input.u;
            law.nu = input.nu.value_or(0);
        }
        break;
    case InputKind::Constant:
        break;
    }
    return law;
}

// Fills out with draws of the law.
void draw(const Law& law, std::mt19937_64& engine, std::span<double> out) {
    std::uniform_real_distribution<double> unit(0, 1);
    switch (law.shape) {
    case Law::Shape::Fixed:
        std::fill(out.begin(), out.end(), law.centre);
        return;
    case Law::Shape::Normal: {
        std::normal_distribution<double> normal;
        for (double& x : out) {
            x = law.centre + law.scale * normal(engine);
        }
        return;
    }
    case Law::Shape::ScaledT: {
        std::student_t_distribution<double> t(law.nu);
        std::uniform_real_distribution<double> allowance(-law.halfWidth, law.halfWidth);
        for (double& x : out) {
            x = law.centre + law.scale * t(engine);
            if (law.halfWidth > 0) {
                x += allowance(engine);
            }
        }
        return;
    }
    case Law::Shape::Rectangular: {
        std::uniform_real_distribution<double> rectangular(-law.halfWidth, law.halfWidth);
        for (double& x : out) {
            x = law.centre + rectangular(engine);
        }
        return;
    }
    case Law::Shape::Triangular:
        for (double& x : out) {
            const double first = unit(engine);
            x = law.centre + law.halfWidth * (first - unit(engine));
        }
        return;
    case Law::Shape::Arcsine:
        for (double& x : out) {
            x = law.centre + law.halfWidth * std::cos(std::numbers::pi * unit(engine));
        }
        return;
    }
}

// The correlated inputs, drawn together from one multivariate normal law.
struct CorrelatedGroup {
    std::vector<std::size_t> members;
    // Lower triangle of the Cholesky factor of their correlation matrix, row by row.
    std::vector<std::vector<double>> factor;
};

// The factor L with L·Lᵀ = R; a zero pivot (r = ±1) is taken as such. Nothing where R is not
// positive semi-definite.
std::optional<std::vector<std::vector<double>>> cholesky(std::vector<std::vector<double>> r) {
    const std::size_t n = r.size();
    std::vector<std::vector<double>> l(n, std::vector<double>(n, 0));
    for (std::size_t j = 0; j < n; ++j) {
        double pivot = r[j][j];
        for (std::size_t k = 0; k < j; ++k) {
            pivot -= l[j][k] * l[j][k];
        }
        if (pivot < -1e-12) {
            return std::nullopt;
        }
        l[j][j] = std::sqrt(std::max(pivot, 0.0));
        for (std::size_t i = j + 1; i < n; ++i) {
            double sum = r[i][j];
            for (std::size_t k = 0; k < j; ++k) {
                sum -= l[i][k] * l[j][k];
            }
            l[i][j] = l[j][j] > 1e-12 ? sum / l[j][j] : 0;
        }
    }
    return l;
}

Checked<CorrelatedGroup> groupOf(const Model& model, std::span<const Correlation> correlations,
                                 const std::vector<Law>& laws) {
    CorrelatedGroup group;
    for (const Correlation& r : correlations) {
        for (const std::size_t name : {r.first, r.second}) {
            if (r.r != 0 && std::find(group.members.begin(), group.members.end(), name) ==
                                group.members.end()) {
                group.members.push_back(name);
            }
        }
    }
    std::sort(group.members.begin(), group.members.end());
    for (const std::size_t name : group.members) {
        if (laws[name].shape != Law::Shape::Normal && laws[name].shape != Law::Shape::Fixed) {
            return Problem{"蒙特卡洛法只对正态分布的输入量处理相关；" + model.names[name] +
                               " 有相关系数，却不按正态分布抽样（测量列按 t 分布，单次测量按其"
                               "分布）。请去掉相关系数，或只用不确定度传播律的结果。",
                           std::nullopt};
        }
    }
    const std::size_t n = group.members.size();
    std::vector<std::vector<double>> matrix(n, std::vector<double>(n, 0));
    for (std::size_t i = 0; i < n; ++i) {
        matrix[i][i] = 1;
    }
    const auto position = [&group](std::size_t name) {
        return static_cast<std::size_t>(
            std::find(group.members.begin(), group.members.end(), name) - group.members.begin());
    };
    for (const Correlation& r : correlations) {
        if (r.r != 0) {
            matrix[position(r.first)][position(r.second)] = r.r;
            matrix[position(r.second)][position(r.first)] = r.r;
        }
    }
    std::optional<std::vector<std::vector<double>>> factor = cholesky(matrix);
    if (!factor) {
        return Problem{"给出的相关系数互相矛盾（相关矩阵不是半正定的），无法按它们抽样。",
                       std::nullopt};
    }
    group.factor = std::move(*factor);
    return group;
}

class Sampler {
  public:
    Sampler(const Model& model, std::vector<Law> laws, CorrelatedGroup group, std::uint64_t seed)
        : model_(model), laws_(std::move(laws)), group_(std::move(group)), seed_(seed) {}

    // The draws of block `number`, count of them, into out; columns and scratch are the
    // thread's own.
    void block(std::uint64_t number, std::size_t count, double* out,
               std::vector<std::vector<double>>& columns, std::vector<double>& scratch) const {
        std::seed_seq sequence{
            static_cast<std::uint32_t>(seed_), static_cast<std::uint32_t>(seed_ >> 32),
            static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(number >> 32)};
        std::mt19937_64 engine(sequence);
        columns.resize(laws_.size() + group_.members.size());
        std::vector<const double*> pointers;
        for (std::size_t name = 0; name < laws_.size(); ++name) {
            columns[name].resize(count);
            if (!inGroup(name)) {
                draw(laws_[name], engine, columns[name]);
            }
            pointers.push_back(columns[name].data());
        }
        correlated(engine, count, columns);
        model_.program.evaluate(pointers, count, out, scratch);
    }

  private:
    bool inGroup(std::size_t name) const {
        return std::find(group_.members.begin(), group_.members.end(), name) !=
               group_.members.end();
    }

    // x = x̄ + u·L·z for the group, z standard normal.
    void correlated(std::mt19937_64& engine, std::size_t count,
                    std::vector<std::vector<double>>& columns) const {
        const std::size_t first = laws_.size();
        const Law standard{Law::Shape::Normal, 0, 1, 0, 0};
        for (std::size_t k = 0; k < group_.members.size(); ++k) {
            columns[first + k].resize(count);
            draw(standard, engine, columns[first + k]);
        }
        for (std::size_t g = 0; g < group_.members.size(); ++g) {
            const Law& law = laws_[group_.members[g]];
            std::vector<double>& x = columns[group_.members[g]];
            for (std::size_t j = 0; j < count; ++j) {
                double z = 0;
                for (std::size_t m = 0; m <= g; ++m) {
                    z += group_.factor[g][m] * columns[first + m][j];
                }
                x[j] = law.centre + law.scale * z;
            }
        }
    }

    const Model& model_;
    std::vector<Law> laws_;
    CorrelatedGroup group_;
    std::uint64_t seed_;
};

// Sorted on several threads: each sorts a part, and the parts are merged; the sorted order is
// the same whatever the number of parts.
void parallelSort(std::span<double> values, unsigned threads) {
    if (threads < 2 || values.size() < 2 * blockSize) {
        std::sort(values.begin(), values.end());
        return;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::thread left([&] { parallelSort({values.begin(), middle}, threads / 2); });
    parallelSort({middle, values.end()}, threads - threads / 2);
    left.join();
    std::inplace_merge(values.begin(), middle, values.end());
}

double studentDensity(double t, std::optional<double> nu) {
    if (!nu) {
        return std::exp(-t * t / 2) / std::sqrt(2 * std::numbers::pi);
    }
    const double v = *nu;
    return std::exp(std::lgamma((v + 1) / 2) - std::lgamma(v / 2) -
                    0.5 * std::log(v * std::numbers::pi) - (v + 1) / 2 * std::log1p(t * t / v));
}

Histogram histogramOf(std::span<const double> sorted, const GumResult& gum) {
    Histogram histogram;
    const std::size_t m = sorted.size();
    const auto first = static_cast<std::size_t>(std::floor(0.0005 * static_cast<double>(m)));
    const auto last =
        std::max(first, static_cast<std::size_t>(std::ceil(0.9995 * static_cast<double>(m))) - 1);
    double low = sorted[first];
    double high = sorted[std::min(last, m - 1)];
    if (!(high > low)) {
        const double spread = std::max(std::abs(low) * 1e-9, 1e-300);
        low -= spread;
        high += spread;
    }
    const double width = (high - low) / histogramBins;
    for (std::size_t bin = 0; bin <= histogramBins; ++bin) {
        histogram.edges.push_back(low + width * static_cast<double>(bin));
    }
    histogram.counts.assign(histogramBins, 0);
    for (const double y : sorted) {
        if (y < low) {
            ++histogram.below;
        } else if (y > high) {
            ++histogram.above;
        } else {
            const auto bin = static_cast<std::size_t>((y - low) / width);
            ++histogram.counts[std::min(bin, histogramBins - 1)];
        }
    }
    if (gum.uc > 0) {
        const std::optional<double> nu =
            gum.nuEff ? std::optional<double>(static_cast<double>(*gum.nuEff)) : std::nullopt;
        for (std::size_t bin = 0; bin < histogramBins; ++bin) {
            const double centre = low + width * (static_cast<double>(bin) + 0.5);
            histogram.curve.push_back(static_cast<double>(m) * width / gum.uc *
                                      studentDensity((centre - gum.y) / gum.uc, nu));
        }
    }
    return histogram;
}

// ½·10^l, where u_c written to two significant digits is c·10^l.
double tolerance(double uc) {
    const DecimalNumber decimal = shortestDecimal(uc);
    int place = decimal.leadingPlace() - 1;
    if (roundedToPlace(decimal, place).leadingPlace() > decimal.leadingPlace()) {
        ++place;
    }
    return 0.5 * std::pow(10.0, place);
}

std::optional<Validation> validationOf(const GumResult& gum, const MonteCarloResult& result,
                                       Confidence confidence) {
    if (gum.uc == 0) {
        return std::nullopt;
    }
    Validation validation;
    validation.delta = tolerance(gum.uc);
    const double U = coverageFactor(confidence, gum.nuEff) * gum.uc;
    validation.low = gum.y - U;
    validation.high = gum.y + U;
    validation.dLow = std::abs(validation.low - result.shortest[0]);
    validation.dHigh = std::abs(validation.high - result.shortest[1]);
    validation.validated =
        validation.dLow <= validation.delta && validation.dHigh <= validation.delta;
    return validation;
}

// Runs the blocks on `threads` threads, the calling one among them, which also tells the
// progress. False when cancelled.
bool drawAll(const Sampler& sampler, std::vector<double>& values, unsigned threads,
             const MonteCarloOptions& options) {
    const std::uint64_t blocks = (values.size() + blockSize - 1) / blockSize;
    std::atomic<std::uint64_t> next{0};
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> stopped{false};
    const auto work = [&](bool caller) {
        std::vector<std::vector<double>> columns;
        std::vector<double> scratch;
        for (std::uint64_t number = next++; number < blocks; number = next++) {
            if (options.cancel != nullptr && options.cancel->load()) {
                stopped = true;
                return;
            }
            const std::size_t start = number * blockSize;
            const std::size_t count = std::min(blockSize, values.size() - start);
            sampler.block(number, count, values.data() + start, columns, scratch);
            const std::uint64_t finished = ++done;
            if (caller && options.progress) {
                options.progress(static_cast<double>(finished) / static_cast<double>(blocks));
            }
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned helper = 1; helper < threads; ++helper) {
        helpers.emplace_back(work, false);
    }
    work(true);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (!stopped && options.progress) {
        options.progress(1);
    }
    return !stopped;
}

} // namespace

Checked<MonteCarloResult> monteCarlo(const Model& model, std::span<const Input> inputs,
                                     std::span<const Correlation> correlations,
                                     const GumResult& gum, const MonteCarloOptions& options) {
    if (options.draws < fewestDraws || options.draws > mostDraws) {
        return Problem{"抽样次数应在 10⁴ 到 10⁷ 之间。", std::nullopt};
    }
    std::vector<Law> laws;
    for (const Input& input : inputs) {
        laws.push_back(lawOf(input));
    }
    Checked<CorrelatedGroup> group = groupOf(model, correlations, laws);
    if (!group) {
        return group.problem();
    }
    const unsigned threads =
        options.threads > 0 ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    const Sampler sampler(model, std::move(laws), std::move(group).value(), options.seed);
    std::vector<double> values(options.draws);
    if (!drawAll(sampler, values, threads, options)) {
        return Problem{"蒙特卡洛计算已取消。", std::nullopt};
    }

    MonteCarloResult result;
    result.draws = options.draws;
    result.seed = options.seed;
    values.erase(
        std::remove_if(values.begin(), values.end(), [](double y) { return !std::isfinite(y); }),
        values.end());
    result.invalid = options.draws - values.size();
    if (static_cast<double>(result.invalid) > mostInvalid * static_cast<double>(options.draws)) {
        return Problem{"有 " + std::to_string(result.invalid) + " 次抽样（" +
                           significantText(100.0 * static_cast<double>(result.invalid) /
                                               static_cast<double>(options.draws),
                                           2) +
                           " %）落在公式无定义处（如负数开方、对 0 取对数或除以 0），超过 "
                           "0.1 %，不给出蒙特卡洛结果。",
                       std::nullopt};
    }
    CompensatedSum sum;
    for (const double y : values) {
        sum.add(y);
    }
    const auto m = static_cast<double>(values.size());
    result.mean = sum.value() / m;
    CompensatedSum squares;
    for (const double y : values) {
        squares.add((y - result.mean) * (y - result.mean));
    }
    result.sd = std::sqrt(squares.value() / (m - 1));

    parallelSort(values, threads);
    // JCGM 101 7.7: q = pM rounded, the symmetric interval from r = (M − q + 1)/2, the shortest
    // over all r; draws counted from 1.
    const double p = confidenceFraction(options.confidence);
    const auto q = std::min(values.size() - 1, static_cast<std::size_t>(std::floor(p * m + 0.5)));
    const std::size_t r = std::max<std::size_t>(1, (values.size() - q + 1) / 2);
    result.interval = {values[r - 1], values[std::min(r - 1 + q, values.size() - 1)]};
    std::size_t best = 0;
    for (std::size_t low = 1; low + q < values.size(); ++low) {
        if (values[low + q] - values[low] < values[best + q] - values[best]) {
            best = low;
        }
    }
    result.shortest = {values[best], values[best + q]};
    result.histogram = histogramOf(values, gum);
    try {
        result.validation = validationOf(gum, result, options.confidence);
    } catch (const AnalysisError& error) {
        return Problem{error.what(), std::nullopt};
    }
    return result;
}

} // namespace tavrello::propagation

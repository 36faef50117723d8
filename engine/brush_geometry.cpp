#include "engine/brush_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/tool_textures.h"
#include "text/conversions.h"

namespace {

// Corners and sides closer than this (in map units) are one.
constexpr double kTolerance = 1e-3;

struct Point3 {
    double x, y, z;
};

Point3 Minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 Cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// The next token of [p, end) split at blanks; empty at the end.
std::string_view NextToken(const char*& p, const char* end) {
    while (p < end && IsSpace(*p)) ++p;
    const char* start = p;
    while (p < end && !IsSpace(*p)) ++p;
    return {start, static_cast<std::size_t>(p - start)};
}

// "( x y z ) ( x y z ) ( x y z ) texture ...": the three points and the
// texture; false for any other line.
bool ReadFace(const char* p, const char* end, Point3 (&points)[3], std::string_view& texture) {
    for (Point3& point : points) {
        if (NextToken(p, end) != "(") return false;
        double* values[] = {&point.x, &point.y, &point.z};
        for (double* value : values) {
            const std::string_view token = NextToken(p, end);
            if (token.empty() || token == ")") return false;
            *value = StringToFloat(token);
        }
        if (NextToken(p, end) != ")") return false;
    }
    texture = NextToken(p, end);
    return !texture.empty();
}

bool Inside(const Brush& brush, const Point3& p, double tolerance) {
    for (const BrushPlane& plane : brush.planes)
        if (plane.nx * p.x + plane.ny * p.y + plane.nz * p.z > plane.d + tolerance) return false;
    return true;
}

// The point where three planes meet; false when two of them are parallel.
bool Meet(const BrushPlane& a, const BrushPlane& b, const BrushPlane& c, Point3& point) {
    const Point3 na{a.nx, a.ny, a.nz}, nb{b.nx, b.ny, b.nz}, nc{c.nx, c.ny, c.nz};
    const Point3 bc = Cross(nb, nc);
    const double det = Dot(na, bc);
    if (std::fabs(det) < 1e-9) return false;
    const Point3 ca = Cross(nc, na), ab = Cross(na, nb);
    point = {(a.d * bc.x + b.d * ca.x + c.d * ab.x) / det, (a.d * bc.y + b.d * ca.y + c.d * ab.y) / det,
             (a.d * bc.z + b.d * ca.z + c.d * ab.z) / det};
    return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

double Turn(const PointXY& o, const PointXY& a, const PointXY& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Andrew's monotone chain: the convex hull, counter-clockwise.
std::vector<PointXY> ConvexHull(std::vector<PointXY> points) {
    std::sort(points.begin(), points.end(),
              [](const PointXY& a, const PointXY& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    if (points.size() < 3) return points;
    std::vector<PointXY> hull(2 * points.size());
    std::size_t k = 0;
    for (const PointXY& p : points) {
        while (k >= 2 && Turn(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && Turn(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

// The corners, their bounds and the outline from above.
void Shape(Brush& brush) {
    const std::size_t n = brush.planes.size();
    std::vector<Point3> corners;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            for (std::size_t k = j + 1; k < n; ++k) {
                Point3 p;
                if (Meet(brush.planes[i], brush.planes[j], brush.planes[k], p) && Inside(brush, p, kTolerance))
                    corners.push_back(p);
            }
    if (corners.size() < 4) return;
    brush.empty = false;
    brush.minX = brush.maxX = corners[0].x;
    brush.minY = brush.maxY = corners[0].y;
    brush.minZ = brush.maxZ = corners[0].z;
    std::vector<PointXY> flat;
    for (const Point3& p : corners) {
        brush.minX = std::min(brush.minX, p.x), brush.maxX = std::max(brush.maxX, p.x);
        brush.minY = std::min(brush.minY, p.y), brush.maxY = std::max(brush.maxY, p.y);
        brush.minZ = std::min(brush.minZ, p.z), brush.maxZ = std::max(brush.maxZ, p.z);
        flat.push_back({p.x, p.y});
    }
    brush.outline = ConvexHull(std::move(flat));
}

}  // namespace

Brush ReadBrush(std::string_view block) {
    Brush brush;
    const char* p = block.data();
    const char* const end = p + block.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        Point3 points[3];
        std::string_view texture;
        if (ReadFace(p, lineEnd, points, texture)) {
            const Point3 normal = Cross(Minus(points[0], points[1]), Minus(points[2], points[1]));
            const double length = std::sqrt(Dot(normal, normal));
            if (length > 0.0 && std::isfinite(length)) {
                const BrushPlane plane{normal.x / length, normal.y / length, normal.z / length, 0.0};
                brush.planes.push_back(
                    {plane.nx, plane.ny, plane.nz, plane.nx * points[1].x + plane.ny * points[1].y + plane.nz * points[1].z});
                if (!IsToolTexture(texture)) brush.toolOnly = false;
            }
        }
        p = lineEnd + 1;
    }
    Shape(brush);
    return brush;
}

std::vector<Brush> ReadBrushes(std::string_view map, const MapIndex& index) {
    std::vector<Brush> brushes;
    brushes.reserve(index.brushes.size());
    for (const ByteRange& range : index.brushes)
        brushes.push_back(ReadBrush(map.substr(range.begin, range.end - range.begin)));
    return brushes;
}

bool VerticalSpan(const Brush& brush, double x, double y, double& bottom, double& top) {
    if (brush.empty || x <= brush.minX || x >= brush.maxX || y <= brush.minY || y >= brush.maxY) return false;
    bottom = -std::numeric_limits<double>::infinity();
    top = std::numeric_limits<double>::infinity();
    for (const BrushPlane& plane : brush.planes) {
        const double rest = plane.d - plane.nx * x - plane.ny * y;
        if (std::fabs(plane.nz) < 1e-9) {
            if (rest <= kTolerance) return false;  // outside a side, or along it
        } else if (plane.nz > 0.0) {
            top = std::min(top, rest / plane.nz);
        } else {
            bottom = std::max(bottom, rest / plane.nz);
        }
    }
    return bottom < top;
}

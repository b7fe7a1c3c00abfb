"""The grid walk and the even-odd test of the show-surface command, repeated
in Python for the checks: positions by repeated addition, corners computed
from the running position, so the numbers match to the last bit."""


def inside(polygon, p):
    """Even-odd in plan; a side counts for y in [lower end, upper end)."""
    if not polygon:
        return False
    px, py = p[0], p[1]
    result = False
    j = len(polygon) - 1
    for i in range(len(polygon)):
        xi, yi = polygon[i][0], polygon[i][1]
        xj, yj = polygon[j][0], polygon[j][1]
        if (yi <= py < yj) or (yj <= py < yi):
            xc = (py - yi) * (xj - xi) / (yj - yi) + xi
            if xc > px:
                result = not result
        j = i
    return result


def box(polygon):
    xs, ys = [p[0] for p in polygon], [p[1] for p in polygon]
    return min(xs), min(ys), max(xs), max(ys)


def walk_segments(polygon, dx, dy):
    x0, y0, x1, y1 = box(polygon)
    out = []
    x = x0
    while x < x1:
        y = y0 + dy
        while y < y1:
            out.append(((x, y), (x, y - dy)))
            y += dy
        x += dx
    y = y0
    while y < y1:
        x = x0 + dx
        while x < x1:
            out.append(((x, y), (x - dx, y)))
            x += dx
        y += dy
    return out


def walk_cells(polygon, dx, dy):
    x0, y0, x1, y1 = box(polygon)
    out = []
    x = x0 + dx
    while x < x1:
        y = y0 + dy
        while y < y1:
            out.append(((x, y), (x, y - dy), (x - dx, y - dy), (x - dx, y)))
            y += dy
        x += dx
    return out


def view_rectangle(centre, height, width_px, height_px):
    w = width_px / height_px * height * 0.5
    h = height * 0.5
    llx, lly, urx, ury = centre[0] - w, centre[1] - h, centre[0] + w, centre[1] + h
    return [(urx, ury), (urx, lly), (llx, lly), (llx, ury), (urx, ury)]

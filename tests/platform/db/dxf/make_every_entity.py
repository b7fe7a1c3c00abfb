#!/usr/bin/python3
"""Writes a drawing with every entity kind ezdxf can write, in model space,
in a block and in paper space, with the objects they bring (image and
underlay definitions, styles, layouts, a redraw order, extension
dictionaries, reactors), for the keep-everything round trip.

usage: make_every_entity.py VERSION OUT.dxf     (VERSION: R12, R2000, R2013...)
"""
import math
import sys

import ezdxf
from ezdxf.math import Vec2
from ezdxf.render import forms


def r12(msp, doc):
    msp.add_line((0, 0), (10, 0), dxfattribs={"layer": "KEEP", "color": 3})
    msp.add_point((1, 2, 3))
    msp.add_circle((5, 5), 2)
    msp.add_arc((5, 5), 3, 10, 80)
    msp.add_text("R12 text", dxfattribs={"insert": (0, -2), "height": 0.5})
    msp.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)], dxfattribs={"color": 4})
    msp.add_trace([(2, 0), (3, 0), (2, 1), (3, 1)])
    msp.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 1)])
    msp.add_polyline2d([(0, 0), (3, 1), (6, 0)])
    msp.add_polyline3d([(0, 0, 1), (3, 1, 2), (6, 0, 3)])
    mesh = msp.add_polymesh((3, 3))
    for m in range(3):
        for n in range(3):
            mesh.set_mesh_vertex((m, n), (m, n, m * n))
    pf = msp.add_polyface()
    pf.append_face([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)])
    pf.append_face([(1, 0, 0), (2, 0, 0), (2, 1, 0)])
    msp.add_shape("BOX", (4, 4), 2)
    dim = msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0))
    dim.render()


def modern(msp, doc):
    r12(msp, doc)
    msp.add_lwpolyline([(0, 0, 0.2), (4, 0, 0), (4, 4, -0.5)], format="xyb", dxfattribs={"closed": True})
    msp.add_ellipse((20, 0), major_axis=(4, 1), ratio=0.4, start_param=0.3, end_param=4.0)
    msp.add_ellipse((30, 0), major_axis=(0, 3), ratio=0.5)
    msp.add_spline([(0, 10), (3, 14), (6, 9), (10, 12)])
    msp.add_open_spline([(0, 20, 0), (2, 24, 1), (5, 18, 2), (8, 22, 0), (10, 20, 0)], degree=3)
    msp.add_rational_spline([(0, 30), (4, 34), (8, 30)], weights=[1, 0.5, 1], degree=2)
    mtext = msp.add_mtext("{\\fArial|b1;Title} block\\Pline two \\C1;red\\~word",
                          dxfattribs={"char_height": 0.7, "width": 12, "insert": (40, 10)})
    mtext.dxf.attachment_point = 5
    msp.add_mtext("plain", dxfattribs={"insert": (40, 5), "rotation": 30})
    hatch = msp.add_hatch(color=2)
    hatch.paths.add_polyline_path([(50, 0), (60, 0), (60, 10), (50, 10)], is_closed=True)
    hatch.paths.add_polyline_path([(52, 2), (54, 2), (54, 4)], is_closed=True, flags=16)
    pattern = msp.add_hatch(color=5)
    pattern.set_pattern_fill("ANSI31", scale=0.5)
    edge = pattern.paths.add_edge_path()
    edge.add_line((70, 0), (80, 0))
    edge.add_arc((80, 5), 5, -90, 90)
    edge.add_line((80, 10), (70, 10))
    edge.add_ellipse((70, 5), (0, 5), 0.4, 90, 270)
    splined = msp.add_hatch(color=6)
    spath = splined.paths.add_edge_path()
    spath.add_spline(control_points=[(90, 0), (95, 5), (100, 0), (95, -5), (90, 0)], degree=3)
    if doc.dxfversion >= ezdxf.const.DXF2004:
        gradient = msp.add_hatch()
        gradient.set_gradient((255, 0, 0), (0, 0, 255))
        gradient.paths.add_polyline_path([(110, 0), (115, 0), (115, 5)], is_closed=True)
    msp.add_ray((0, 0), (1, 1))
    msp.add_xline((0, 0), (1, -1))
    leader = msp.add_leader([(0, 40), (5, 45), (10, 45)])
    leader.dxf.dimstyle = "Standard"
    mesh = msp.add_mesh()
    with mesh.edit_data() as data:
        cube = forms.cube()
        data.vertices = list(cube.vertices)
        data.faces = list(cube.faces)
    msp.add_mline([(0, 50), (10, 50), (10, 60)])
    msp.add_aligned_dim(p1=(0, 70), p2=(10, 75), distance=2).render()
    msp.add_radius_dim(center=(20, 70), radius=3, angle=45).render()
    msp.add_diameter_dim(center=(30, 70), radius=3, angle=30).render()
    msp.add_angular_dim_cra(center=(40, 70), radius=4, start_angle=0, end_angle=60, distance=1).render()
    msp.add_ordinate_x_dim(feature_location=(50, 72), offset=(2, 3)).render()
    msp.add_arc_dim_cra(center=(60, 70), radius=4, start_angle=0, end_angle=90, distance=1).render()
    ml = msp.add_multileader_mtext("Standard")
    ml.set_content("note")
    ml.add_leader_line(ezdxf.render.mleader.ConnectionSide.left, [Vec2(70, 60)])
    ml.build(insert=Vec2(75, 65))
    msp.add_helix(radius=2, pitch=1, turns=3)
    wipeout = msp.add_wipeout([(120, 0), (125, 0), (125, 5), (120, 5)])
    image_def = doc.add_image_def("survey.png", size_in_pixel=(640, 480))
    msp.add_image(image_def, insert=(130, 0), size_in_units=(6.4, 4.8))
    pdf_def = doc.add_underlay_def("plan.pdf", fmt="pdf", name="1")
    msp.add_underlay(pdf_def, insert=(140, 0), scale=0.5)
    mpoly = msp.add_mpolygon(color=3)
    mpoly.paths.add_polyline_path([(150, 0), (155, 0), (155, 5)], is_closed=True)
    for kind in ("add_3dsolid", "add_region", "add_body", "add_surface", "add_extruded_surface",
                 "add_lofted_surface", "add_revolved_surface", "add_swept_surface"):
        try:
            getattr(msp, kind)()
        except ezdxf.DXFVersionError:
            pass  # the surfaces need R2007
    # An extension dictionary with an xrecord on a line, and reactors.
    line = msp.add_line((0, 90), (5, 95))
    xdict = line.new_extension_dict()
    xdict.add_xrecord("UV_NOTE").reset([(1, "kept")])
    msp.set_redraw_order([(line.dxf.handle, "100")])

    blk = doc.blocks.new("EVERY_KIND")
    blk.add_ellipse((0, 0), major_axis=(2, 0), ratio=0.5)
    blk.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)])
    blk.add_mtext("in a block", dxfattribs={"char_height": 0.3})
    bh = blk.add_hatch(color=1)
    bh.paths.add_polyline_path([(0, 0), (1, 0), (1, 1)], is_closed=True)
    blk.add_line((0, 0), (1, 1))
    msp.add_blockref("EVERY_KIND", (200, 0))

    psp = doc.layout("Layout1")
    psp.add_viewport(center=(100, 100), size=(150, 100), view_center_point=(50, 30), view_height=120)
    psp.add_mtext("Paper note", dxfattribs={"insert": (10, 10), "char_height": 2.5})
    psp.add_line((0, 0), (200, 0))


def main(version, out_path):
    doc = ezdxf.new(version, setup=True)
    doc.layers.add("KEEP", color=3)
    if version == "R12":
        r12(doc.modelspace(), doc)
    else:
        modern(doc.modelspace(), doc)
        doc.objects.add_dictionary_var(doc.rootdict.dxf.handle, "kept value")
        doc.header["$LUNITS"] = 2
    doc.header["$INSUNITS"] = 6
    doc.saveas(out_path)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

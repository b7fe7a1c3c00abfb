#include <gtest/gtest.h>

#include "ge/AcGePlane.h"
#include "ge/AcGePointArrays.h"

TEST(GeometryTest, PointVectorArithmetic) {
  const AcGePoint3d a(1, 2, 3), b(4, 6, 3);
  EXPECT_DOUBLE_EQ(a.distanceTo(b), 5.0);
  EXPECT_TRUE((a + (b - a)).isEqualTo(b));
  EXPECT_TRUE(AcGeVector3d::kXAxis.crossProduct(AcGeVector3d::kYAxis).isEqualTo(AcGeVector3d::kZAxis));
  EXPECT_NEAR(AcGeVector3d(1, 0, 0).angleTo(AcGeVector3d(0, 1, 0)), M_PI / 2, 1e-15);
  EXPECT_NEAR(AcGeVector2d(0, -1).angle(), 1.5 * M_PI, 1e-15);
  EXPECT_FALSE(a.isEqualTo(AcGePoint3d(1, 2, 3.001)));
  EXPECT_TRUE(a.isEqualTo(AcGePoint3d(1, 2, 3.001), AcGeTol(0.01, 0.01)));
}

TEST(GeometryTest, PlaneProjection) {
  const AcGePlane tilted(AcGePoint3d(0, 0, 10), AcGeVector3d(0, 0, 2));
  const AcGePoint3d p(3, 4, 25);
  EXPECT_DOUBLE_EQ(tilted.signedDistanceTo(p), 15.0);
  EXPECT_TRUE(p.orthoProject(tilted).isEqualTo(AcGePoint3d(3, 4, 10)));
  EXPECT_TRUE(AcGePlane::kXYPlane.isOn(AcGePoint3d(7, -2, 0)));
  AcGePoint3dArray pts;
  pts.append(p);
  EXPECT_EQ(pts.length(), 1);
}

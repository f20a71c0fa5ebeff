# Reference and peer libraries used by the tests and the benchmarks (never by
# the library itself): Eigen, GSL, LAPACK, GLPK, Boost.Math, SISL, lib2geom.
# Defines the interface target vcbm_peers. .ci/run and scripts/setup install
# the Debian packages that provide them.
if(TARGET vcbm_peers)
  return()
endif()
add_library(vcbm_peers INTERFACE)

find_package(Eigen3 3.3 REQUIRED NO_MODULE)
find_package(GSL REQUIRED)
find_package(LAPACK REQUIRED)
find_package(Boost 1.71 REQUIRED)
find_path(GLPK_INCLUDE_DIR glpk.h REQUIRED)
find_library(GLPK_LIBRARY glpk REQUIRED)
target_link_libraries(vcbm_peers INTERFACE Eigen3::Eigen GSL::gsl LAPACK::LAPACK Boost::headers ${GLPK_LIBRARY})
target_include_directories(vcbm_peers INTERFACE ${GLPK_INCLUDE_DIR})

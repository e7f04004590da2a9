# Run as: cmake -DZIP=... -DINTO=... -P unpack.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${INTO})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${INTO})

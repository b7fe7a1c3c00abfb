# Sourced by the benchmark scripts: the user's road from a text file to a surface as job-script
# lines (SURFMAN makes the surface "Teren", the text page of the load-points dialog adds the file,
# Close keeps the surface in the drawing).
#   road_job XYZ_FILE > JOB        the whole road, the surface made first
#   load_job XYZ_FILE >> JOB       the text page alone, into the existing "Teren"
load_job() {
  cat << EOF
call CallLoadPoints "Teren"
choose IDC_PAGES "From text file"
set IDC_FILE "$1"
click IDC_ADD
click IDCLOSE
EOF
}

road_job() {
  cat << EOF
SURFMAN
click IDC_NEW
set IDC_NAME "Teren"
click IDOK
click IDCLOSE
EOF
  load_job "$1"
}

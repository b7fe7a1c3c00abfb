"""attached_file_kept.job: a survey file to attach."""
from filesafety import copy_sample

copy_sample("survey.kvb")

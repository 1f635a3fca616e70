# The settings of the dictionary's frequency choice and of the context model, sourced by
# scripts/make-dictionary.sh, which ships them, and scripts/measure-dictionary.sh, which measures
# them. Chosen on a part of the corpus kept apart from both the counts and the held-out
# measurement (scripts/measure-dictionary.sh --tune and --tune-context; docs/dictionary.md,
# docs/context.md).
dictionary_choice=(--margin 2 --plain-margin 2 --min-count 3 --rank-weight 0.3 --smoothing 0)
context_choice=(--smoothing 0.1 --accent-threshold 4 --plain-threshold 1 --unwritten-gap 2)

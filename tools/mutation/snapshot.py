"""The tree that mutants are written into: a detached git worktree of a commit, never the working
tree that people edit and build (a mutant there would reach their builds and tests)."""

import os
import subprocess


def git(*args, cwd):
    return subprocess.run(["git", *args], cwd=cwd, check=True, capture_output=True, text=True).stdout


def prepare(repo, snapshot, rev):
    """Makes snapshot a detached worktree at rev, or moves it there; returns the commit id.

    Moving an existing worktree rewrites only the files that differ, so the build stays incremental;
    --force also undoes what a run that was killed outright left behind."""
    commit = git("rev-parse", "--verify", rev + "^{commit}", cwd=repo).strip()
    if os.path.exists(os.path.join(snapshot, ".git")):
        git("checkout", "--quiet", "--force", "--detach", commit, cwd=snapshot)
    else:
        os.makedirs(os.path.dirname(snapshot), exist_ok=True)
        git("worktree", "add", "--quiet", "--force", "--detach", snapshot, commit, cwd=repo)
    return commit


def changed_files(snapshot):
    """Tracked files of the snapshot that differ from its commit (empty when all mutants are undone)."""
    return git("diff", "--name-only", "HEAD", cwd=snapshot).split()
